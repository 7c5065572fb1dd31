#pragma once

#include <string>
#include <vector>

// The findings of a file check, worked out plainly from the rules, line by
// line with ordinary string operations; the check of the program must find
// the same. Each is "LINE KIND"; the list is sorted.
std::vector<std::string> ReferenceCheck(const std::string& bytes);
