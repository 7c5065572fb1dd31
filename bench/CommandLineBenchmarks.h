#pragma once

#include <string>

// Registers the real program run as a child process on one file, its output
// to /dev/null ("cli/<mode>/<name>", the child's CPU time per run): --info of
// each file, the references, beside --summary as text, text with
// --highlight, CSV and JSON, each alone and with `import` imported, and a
// thumbnail (--export --size).
void RegisterCommandLineBenchmarks(const std::string& program, const std::string& name,
                                   const std::string& file, const std::string& import,
                                   const std::string& privateFolder);
