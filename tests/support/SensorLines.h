#pragma once
// Valid sensor lines for tests, built with the product's own encoder.

#include <string>
#include <vector>

namespace orvanta::test {

// An 81-character layout D line: firmware 55, the given sky, case, ambient and block
// fields, heater and flags, no calibration sets.
std::string LayoutDLine(int sky = 300, int tem = 500, int amb = 512, int blk = 520, int hea = 75, int flg = 0);

// Reads the whole file into a string ("" when missing).
std::string ReadFile(const std::string& path);
std::vector<std::string> ReadLines(const std::string& path);  // split on CR LF

}  // namespace orvanta::test
