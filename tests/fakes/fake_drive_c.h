// Drive C: for the plan's tests: new versions of a few system files in C:\NEW,
// and the files of the same names that they would replace.
#pragma once

#include "tests/fakes/fake_file_system.h"

const char kSystem[] = "C:\\WINDOWS\\SYSTEM";
const char kNewKernel[] = "C:\\NEW\\KERNEL32.DLL";
const char kOldKernel[] = "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL";
const char kNewUser[] = "C:\\NEW\\USER32.DLL";
const char kOldUser[] = "C:\\WINDOWS\\SYSTEM\\USER32.DLL";
const char kNewGdi[] = "C:\\NEW\\GDI.EXE";
const char kOldGdi[] = "C:\\GDI.EXE";

class FakeDriveC : public FakeFileSystem {
public:
    FakeDriveC()
    {
        for (const char* file : {kNewKernel, kOldKernel, kNewUser, kOldUser, kNewGdi, kOldGdi})
            AddFile(file);
    }
};
