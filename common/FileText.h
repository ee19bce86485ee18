#pragma once
#include <cstdio>
#include <string>

// The whole content of a file, as bytes. False when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& text);
// The same from a stream opened for binary reading; closes it.
bool ReadAndCloseStream(std::FILE* file, std::string& text);
