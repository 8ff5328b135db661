// Every text that Tessera shows, in Japanese and in English, one entry each:
//
//   TESSERA_TEXT(name, "Japanese", "English")
//
// The Japanese text is shown where the system's ANSI code page is 932, the
// English text everywhere else. To change a text, change it here; nothing else
// needs to be read. The rules for a translator:
// - \n is a line break and \" a double quotation mark.
// - %1, %2, ... (a name, a path or a number) are filled in by the program:
//   %1 with its first argument, %2 with its second, wherever they stand. Use
//   each that the other language uses, in the order the language needs.
// - English texts stay in ASCII: they are shown in every code page.
// The dialogs' own texts (labels, buttons, titles) and the system-menu entries
// live in res/tessera.rc, in the same two languages: they are resources (the
// dialog templates, and the string table that holds the system-menu entries
// from string 101, the About entry, on), translated there with the dialogs.
//
// This file is included with TESSERA_TEXT defined by the code that reads it.

// Start-up refusals
TESSERA_TEXT(kRefusalOldNt,
    "Windows NTの場合はVer4.0以上でしか動作しません。終了します。",
    "On Windows NT, Tessera needs version 4.0 or later. It will close now.")
TESSERA_TEXT(kRefusalPlatform,
    "OSがWindows9xかWindows NTではありません。終了します。",
    "This system is neither Windows 9x nor Windows NT. Tessera will close now.")
TESSERA_TEXT(kRefusalWow64,
    "64ビット版のWindowsでは動作しません。TESSERA64.EXEを使用してください。終了します。",
    "This program does not run on 64-bit Windows. Use TESSERA64.EXE. Tessera will close now.")
TESSERA_TEXT(kRefusalNotAdmin,
    "Administrator権限がありません。\nこのプログラムはAdministrator権限がないと動作しません。",
    "You do not have administrator rights.\nTessera works only with administrator rights.")

// Help: the document beside the program, and the box when it cannot be opened
TESSERA_TEXT(kHelpFileName,
    "help.htm",
    "help_en.htm")
TESSERA_TEXT(kHelpNotOpened,
    "%1を起動できませんでした。ファイルが存在するかどうか確かめてください。",
    "Could not open %1. Check that the file exists.")

// The main dialog: list columns, tooltips, browse dialogs
TESSERA_TEXT(kColumnSource,
    "置換元(上書きする側)",
    "Source (new file)")
TESSERA_TEXT(kColumnTarget,
    "置換先(上書きされる側)",
    "Target (file to replace)")
TESSERA_TEXT(kColumnVersion,
    "Version",
    "Version")
TESSERA_TEXT(kTipSourceEdit,
    "コピー元のファイル名を入力するか、エクスプローラ等からドラッグ&ドロップしてください",
    "Type the name of the new file, or drag and drop it here from Explorer")
TESSERA_TEXT(kTipTargetEdit,
    "コピー先のフォルダ名を入力するか、エクスプローラ等からドラッグ&ドロップしてください",
    "Type the name of the target folder, or drag and drop it here from Explorer")
TESSERA_TEXT(kTipBrowseSource,
    "置換元ファイルを選択します",
    "Choose the source file")
TESSERA_TEXT(kTipBrowseTarget,
    "置換先フォルダを選択します",
    "Choose the target folder")
TESSERA_TEXT(kTipAdd,
    "上に示された設定を追加します",
    "Add the pair above to the list")
TESSERA_TEXT(kTipRemove,
    "下で選択された設定を削除します",
    "Remove the pair selected below")
TESSERA_TEXT(kTipList,
    "置換ファイルのリストが表示されます",
    "The files to replace")
TESSERA_TEXT(kTipHelp,
    "ヘルプを表示します",
    "Show the help")
TESSERA_TEXT(kTipAbout,
    "ファイルのバージョン情報を表示します",
    "Show the program's version")
TESSERA_TEXT(kTipQuit,
    "上記の設定を破棄して終了します",
    "Discard the list and quit")
TESSERA_TEXT(kTipReplace,
    "置換の予約を行った後、再起動を問い合わせて終了します",
    "Schedule the replacements for the next restart, offer to restart now, and quit")
TESSERA_TEXT(kFileFilter,
    "システムファイル (exe;com;sys;dll;vxd)|*.exe; *.com; *.sys; *.dll; *.vxd|"
    "すべてのファイル (*.*)|*.*||",
    "Programs and drivers (*.exe;*.com;*.sys;*.dll;*.vxd)|*.exe;*.com;*.sys;*.dll;*.vxd|"
    "All files (*.*)|*.*||")
TESSERA_TEXT(kChooseSourceTitle,
    "置換元のファイルを選択してください",
    "Choose Source File")
TESSERA_TEXT(kChooseTargetTitle,
    "置換先のフォルダを選択してください",
    "Choose the target folder")
TESSERA_TEXT(kChooseRestoreTitle,
    "元に戻すファイルを選択してください",
    "Choose File to Restore")

// The add and restore rules
TESSERA_TEXT(kNoSource,
    "置換元のファイルを指定してください．",
    "Enter the source file.")
TESSERA_TEXT(kNoTargetFolder,
    "置換先のフォルダを指定してください．",
    "Enter the target folder.")
TESSERA_TEXT(kSourceUnreadable,
    "置換元ファイル(%1)の情報が得られません．",
    "Cannot read the source file (%1).")
TESSERA_TEXT(kNotAFile,
    "\"%1\"はファイルではないようです。",
    "\"%1\" does not seem to be a file.")
TESSERA_TEXT(kTargetUnreadable,
    "置換先ファイル(%1)の情報が得られません．ファイルが存在するか確かめてください。",
    "Cannot read the target file (%1). Check that the file exists.")
TESSERA_TEXT(kSameFile,
    "同じファイルで置き換えても無駄です．",
    "The source and the target are the same file: there is nothing to replace.")
TESSERA_TEXT(kAlreadyPlanned,
    "置換先%1はすでに%2で置きかえられることになっています．",
    "The target %1 is already to be replaced by %2.")
TESSERA_TEXT(kNoBackup,
    "%1のバックアップ%2が見つかりません．",
    "For %1, the backup %2 cannot be found.")

// The version column's lookup
TESSERA_TEXT(kVersionCaption,
    "Error",
    "Error")
TESSERA_TEXT(kVersionUnreadable,
    "Unable to get translation type",
    "Unable to get translation type")

// Schedule and quit: the question, the report of each entry, the restart
TESSERA_TEXT(kConfirmation,
    "本当に置換を行ってもよろしいですか?",
    "Schedule the replacement of these files for the next restart?")
// The first line of a report too long for a box, above its blocks
TESSERA_TEXT(kReportSummary,
    "%1件の置換を予約し、%2件は予約しませんでした．",
    "Replacements scheduled: %1. Not scheduled: %2.")
TESSERA_TEXT(kReportHeader,
    "%1\n → %2\n",
    "Source: %1\nTarget: %2\n")
TESSERA_TEXT(kScheduled,
    "再起動後に置換されます．\n",
    "Will be replaced at the next restart.\n")
TESSERA_TEXT(kCopyFailed,
    "%1を%2にコピーするのに失敗しました．\n%2がすでにある可能性があります．\n",
    "Could not copy %1 to %2.\n%2 may already exist.\n")
TESSERA_TEXT(kBackupNotRecorded,
    "%1を再起動後にバックアップするのに失敗しました．\n原因不明のエラーです．\n",
    "Could not schedule the rename of %1 to its backup name.\nThe cause is unknown.\n")
TESSERA_TEXT(kReplaceNotRecorded,
    "%1を再起動後に置換するのに失敗しました．\n原因不明のエラーです．\n",
    "Could not schedule the rename of the staged copy %1 to the target's name.\nThe cause is unknown.\n")
TESSERA_TEXT(kPutBackAfterRestart,
    "再起動後に%1を%2に戻してください．\n",
    "The rename of %2 to %1 is still scheduled, with nothing to take its place.\n"
    "Before you restart, delete it from PendingFileRenameOperations under "
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager in Registry Editor "
    "(on Windows 9x, delete its line from WININIT.INI); or restart, then rename %1 back to %2.\n")
TESSERA_TEXT(kTargetNotFound,
    "%1が見つかりませんでした．\n置換は予約されていません．\n",
    "%1 was not found.\nNo replacement is scheduled.\n")
TESSERA_TEXT(kAlreadyQueued,
    "%1は再起動時の処理にすでに予約されているため置換は予約されていません．\n",
    "No replacement is scheduled: %1 is already in a pending operation.\n")
TESSERA_TEXT(kBackupUnusable,
    "%1をバックアップに使えないため置換は予約されていません．\n",
    "No replacement is scheduled: %1 cannot be used as the backup.\n")
TESSERA_TEXT(kQueueUnreadable,
    "再起動時の処理の予約を読み取れないため置換は予約されていません．\n",
    "No replacement is scheduled: the pending operations cannot be read.\n")
TESSERA_TEXT(kNameTooLong,
    "%1は259文字を超えるため、再起動時の処理では扱えません．\n"
    "置換は予約されていません．途中のフォルダの名前を短くしてから、もう一度追加してください．\n",
    "%1 is longer than 259 characters, which the restart cannot handle.\n"
    "No replacement is scheduled. Shorten the names of the folders on the way, then run Tessera again and add the pair.\n")
TESSERA_TEXT(kNameIsLink,
    "%1はシンボリック リンクなどの再解析ポイントのため、再起動時の名前の変更が何を動かすか確かではありません．\n"
    "置換は予約されていません．リンクの指す先のファイルを置換先として指定してください．\n",
    "%1 is a symbolic link or another reparse point, so what the restart's rename would move is not certain.\n"
    "No replacement is scheduled. Run Tessera again and add the file that the link leads to.\n")
TESSERA_TEXT(kNameOutsideCodePage,
    "%1の本来の名前にはこのシステムのコード ページで書けない文字があるため、再起動後に新しいファイルにその名前を付けられません．\n"
    "置換は予約されていません．\n",
    "The real name of %1 has characters that this system's code page cannot write, so the restart could not give the new file that name.\n"
    "No replacement is scheduled.\n")
TESSERA_TEXT(kNameLeadsElsewhere,
    "%1が追加時に確かめたファイルに行き着かないため置換は予約されていません．\n",
    "No replacement is scheduled: %1 does not lead to the file that was checked when it was added.\n")
TESSERA_TEXT(kQueueWouldOverflow,
    "再起動時の処理の予約が読み取れる大きさを超えてしまうため置換は予約されていません．\n",
    "No replacement is scheduled: the pending operations would grow too large to be read.\n")
TESSERA_TEXT(kStagedNotRemoved,
    "置換用のコピー%1を削除できませんでした．自分で削除してください．\n",
    "The staged copy %1 could not be deleted. Delete it yourself.\n")
TESSERA_TEXT(kLongFileName,
    "%1は長いファイル名のため、9x系の起動処理では置き換えられません(短い名前%2しか扱えません)．\n"
    "置換は予約されていません．MS-DOSモードで起動し、%2に上書きコピーしてください．\n",
    "%1 has a long file name, which the Windows 9x start-up cannot replace (it knows only the short name %2).\n"
    "No replacement is scheduled. Start in MS-DOS mode and copy the new file over %2.\n")
TESSERA_TEXT(kOnNetwork,
    "%1はネットワーク上にあるため、再起動時の処理からは見えません．\n"
    "置換は予約されていません．そのファイルのあるコンピュータでTesseraを実行してください．\n",
    "%1 is on the network, which the restart cannot reach.\n"
    "No replacement is scheduled. Run Tessera on the computer that holds the file.\n")
TESSERA_TEXT(kDriveUnknown,
    "%1のドライブ%2が指す場所を確かめられないため、再起動時に見つかるか分かりません．\n"
    "置換は予約されていません．ドライブの指す実際のフォルダで指定し直してください．\n",
    "Cannot find out where drive %2 leads, so the restart may not find %1.\n"
    "No replacement is scheduled. Run Tessera again and enter the target folder by its real path, not through drive %2.\n")
TESSERA_TEXT(kRenameDenied,
    "%1は管理者にもシステムにも削除の権限がないため、再起動時に名前を変えられません．\n"
    "置換は予約されていません．所有者を変えて管理者にフル コントロールを与えてから"
    "(takeown /f \"%1\" /a と icacls \"%1\" /grant *S-1-5-32-544:F)、もう一度追加してください．\n",
    "Neither the administrators nor the system may delete %1, so the restart cannot rename it.\n"
    "No replacement is scheduled. Take ownership and give the administrators full control "
    "(takeown /f \"%1\" /a and icacls \"%1\" /grant *S-1-5-32-544:F), then run Tessera again and add the pair.\n")
TESSERA_TEXT(kMayBeRestored,
    "%1はWindowsファイル保護の対象のため、再起動後にWindowsが元のファイルに戻すことがあります．"
    "再起動後にファイルのバージョンを確かめてください．\n",
    "Windows File Protection guards %1 and may put the original back after the restart. "
    "Check the file's version after the restart.\n")
TESSERA_TEXT(kStagedNotTheCopy,
    "%1はTesseraが作った置換用のコピーではなくなっているため置換は予約されていません．\n",
    "No replacement is scheduled: %1 is no longer the staged copy that Tessera made.\n")
TESSERA_TEXT(kJournalNotWritten,
    "記録ファイル%1に書き込めませんでした．置換はそのまま予約されています．\n",
    "The journal %1 could not be written. The replacements are scheduled all the same.\n")
TESSERA_TEXT(kRestartPrompt,
    "ファイルの置換を完了するにはシステムの再起動が必要です．\n今すぐ再起動しますか?",
    "The files will be replaced at the next restart.\n"
    "If you restart later, choose \"Restart\", because \"Shut down\" with fast startup does not replace them.\n\n"
    "Restart now?")
TESSERA_TEXT(kRestartNoPrivilege,
    "再起動に必要な特権が得られませんでした．\n自分で再起動を行ってください．",
    "Could not get the privilege to restart.\nPlease restart the system yourself.")
TESSERA_TEXT(kRestartFailed,
    "再起動に失敗しました．\n自分で再起動を行ってください．",
    "The restart failed.\nPlease restart the system yourself.")

// The pending operations: list headings, rows, status line, the cancel
TESSERA_TEXT(kPendingColumnKind,
    "種類",
    "Kind")
TESSERA_TEXT(kPendingColumnFrom,
    "元",
    "From")
TESSERA_TEXT(kPendingColumnTo,
    "先",
    "To")
TESSERA_TEXT(kPendingColumnState,
    "状態",
    "State")
TESSERA_TEXT(kPendingCount,
    "再起動待ちの項目は%1件です．",
    "Pending operations: %1.")
TESSERA_TEXT(kPendingNone,
    "再起動待ちの操作はありません．",
    "No operations are pending.")
TESSERA_TEXT(kPendingMalformed,
    "%1の内容が正しくないため、一覧を表示できません．",
    "The contents of %1 are not valid, so the list cannot be shown.")
TESSERA_TEXT(kPendingTooLarge,
    "%1が大きすぎるため、一覧を表示できません．",
    "%1 is too large, so the list cannot be shown.")
TESSERA_TEXT(kPendingUnreadable,
    "%1を読み込めなかったため、一覧を表示できません．",
    "%1 could not be read, so the list cannot be shown.")
TESSERA_TEXT(kKindTessera,
    "置換(Tessera)",
    "Replace (Tessera)")
TESSERA_TEXT(kKindRename,
    "名前変更",
    "Rename")
TESSERA_TEXT(kKindRenameReplacing,
    "名前変更(上書き)",
    "Rename (replacing)")
TESSERA_TEXT(kKindDelete,
    "削除",
    "Delete")
TESSERA_TEXT(kStagedPresent,
    "置換用コピーあり",
    "Staged copy present")
TESSERA_TEXT(kStagedMissing,
    "コピーなし(置換先が消える)",
    "No copy: target would vanish")
TESSERA_TEXT(kCancelQuestion,
    "%1の置換の予約を取り消しますか?",
    "Cancel the scheduled replacement of %1?")
TESSERA_TEXT(kCancelAlsoDeletes,
    "\n置換用のコピー%1も削除します．",
    "\nThe staged copy %1 will be deleted too.")
TESSERA_TEXT(kQueueChanged,
    "再起動待ちの操作が、一覧を読み込んだ後に変更されています．\n"
    "何も取り消していません．一覧を読み込み直します．",
    "The pending operations changed after the list was read.\n"
    "Nothing was canceled. The list will be read again.")
TESSERA_TEXT(kQueueNotRewritten,
    "%1を書き換えるのに失敗しました．\n置換の予約は取り消されていません．",
    "Could not rewrite %1.\nThe replacement is still scheduled.")
TESSERA_TEXT(kStagedNotDeleted,
    "置換の予約は取り消しましたが、%1を削除するのに失敗しました．\n"
    "自分で削除してください．",
    "The replacement was canceled, but %1 could not be deleted.\n"
    "Please delete it yourself.")

// The journal: what became of the replacements at the restart, told at the
// next start, and the history dialog
TESSERA_TEXT(kToldHeading,
    "前回の再起動で、Tesseraが予約した置換のうち%1件が予定どおりに行われていません．",
    "%1 of the replacements that Tessera scheduled did not go as planned at the restart.")
TESSERA_TEXT(kToldNotCarriedOut,
    "未実行: %1\n",
    "Not carried out: %1\n")
TESSERA_TEXT(kToldNotCarriedOutNoCopy,
    "未実行(置換用のコピーもありません): %1\n",
    "Not carried out (its staged copy is gone too): %1\n")
TESSERA_TEXT(kToldTargetMissing,
    "置換先なし: %1 (元のファイルは%2)\n",
    "Target missing: %1 (the old file is %2)\n")
TESSERA_TEXT(kToldChanged,
    "その後変更: %1\n",
    "Changed since: %1\n")
TESSERA_TEXT(kToldPutBack,
    "元に戻された: %1\n",
    "Put back: %1\n")
TESSERA_TEXT(kToldMore,
    "ほか%1件(すべて%2に記録されています)\n",
    "... and %1 more (the journal %2 lists them all)\n")
TESSERA_TEXT(kAdviceNotCarriedOut,
    "\n未実行: 再起動で名前の変更が行われませんでした．高速スタートアップが有効なままのシャットダウンや、"
    "ほかのプログラムによる予約の消去で起こります．置換にはシャットダウンではなく再起動が必要です．\n",
    "\nNot carried out: the restart did not rename the files. A shut down with fast start-up does this, "
    "and so does another program that clears the pending operations. A replacement needs a restart, not a shut down.\n")
TESSERA_TEXT(kAdviceTargetMissing,
    "\n置換先なし: 置換先にファイルがありません．元のファイルはバックアップにあります．戻すには、システム メニューの"
    "「置換の記録」でその記録を選び「バックアップから戻す」を押してください．名前を使っているファイルがないため、"
    "すぐにコピーして戻します(再起動は要りません)．\n",
    "\nTarget missing: there is no file at the target; the old file is in its backup. To put it back, select the "
    "entry in Replacement history (system menu) and press Restore from backup: nothing holds the name, so Tessera "
    "copies the backup back at once, without a restart.\n")
TESSERA_TEXT(kAdviceChanged,
    "\nその後変更: 再起動の後、ほかのプログラムがファイルを置き換えました．\n",
    "\nChanged since: another program replaced the file after the restart.\n")
TESSERA_TEXT(kAdvicePutBack,
    "\n元に戻された: 名前の変更は行われましたが、置換先は元のファイルに戻っています"
    "(Windowsファイル保護か、バックアップからの復元によるものです)．\n",
    "\nPut back: the renames were done, but the old file is at the target again "
    "(Windows File Protection, or a restore from the backup, does this).\n")
TESSERA_TEXT(kToldNotJournaled,
    "\n記録ファイル%1に書き込めないため、次回の起動時にもう一度お知らせします．\n",
    "\nThe journal %1 cannot be written, so this will be told again at the next start.\n")
TESSERA_TEXT(kAskRecordAgain,
    "置換用のコピーが残っている%1件について、名前の変更をもう一度予約しますか?\n"
    "次の再起動で置換されます(シャットダウンではなく再起動してください)．",
    "Record the renames again where the staged copy is still there (%1)?\n"
    "They take effect at the next restart (restart, do not shut down).")
TESSERA_TEXT(kCopyBackQuestion,
    "%1にはファイルがありません．バックアップ%2を%1にコピーして元に戻しますか?\n"
    "この名前を使っているファイルがないため、再起動は要りません．",
    "There is no file at %1. Copy its backup %2 to %1 to put it back?\n"
    "Nothing holds that name, so no restart is needed.")
TESSERA_TEXT(kCopiedBack,
    "%2を%1にコピーして元に戻しました．",
    "%2 was copied back to %1.")
TESSERA_TEXT(kCopyBackFailed,
    "%2を%1にコピーできませんでした．",
    "Could not copy %2 to %1.")
TESSERA_TEXT(kHistoryColumnWhen,
    "日時",
    "When")
TESSERA_TEXT(kHistoryColumnTarget,
    "置換先",
    "Target")
TESSERA_TEXT(kHistoryColumnOutcome,
    "結果",
    "Outcome")
TESSERA_TEXT(kOutcomePending,
    "再起動待ち",
    "Pending")
TESSERA_TEXT(kOutcomeReplaced,
    "置換済み",
    "Replaced")
TESSERA_TEXT(kOutcomeNotCarriedOut,
    "未実行",
    "Not carried out")
TESSERA_TEXT(kOutcomeTargetMissing,
    "置換先なし",
    "Target missing")
TESSERA_TEXT(kOutcomeChanged,
    "その後変更",
    "Changed since")
TESSERA_TEXT(kOutcomePutBack,
    "元に戻された",
    "Put back")
TESSERA_TEXT(kOutcomeCancelled,
    "取り消し",
    "Canceled")
TESSERA_TEXT(kHistoryCount,
    "%2の記録は%1件です．",
    "Entries in %2: %1.")
TESSERA_TEXT(kHistorySkipped,
    "%2の記録は%1件です(読めない行%3行は無視しました)．",
    "Entries in %2: %1 (%3 unreadable lines skipped).")
TESSERA_TEXT(kHistoryNone,
    "%1には記録がありません．",
    "%1 holds no entries.")
TESSERA_TEXT(kHistoryUnreadable,
    "%1を読み込めなかったため、記録を表示できません．",
    "%1 could not be read, so the history cannot be shown.")
