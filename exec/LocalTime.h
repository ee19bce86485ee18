#pragma once
#include <string>

// A moment on the user's clock, as the program names files and lists commands.
struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// "2026-12-07"; "10:15:00"
std::string DateText(const LocalTime& time);
std::string TimeText(const LocalTime& time);
