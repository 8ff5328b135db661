// The local time of day, for what the journal stamps its lines with.
#pragma once

struct LocalTime {
    int year;
    int month;   // 1 to 12
    int day;     // 1 to 31
    int hour;
    int minute;
    int second;
    int milliseconds;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() = 0;
};
