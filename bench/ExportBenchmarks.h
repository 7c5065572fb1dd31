#pragma once

#include <string>
#include <vector>

// Registers the export of every record of each file to one PDF
// ("export/pdf/<name>", pages per second), the cost that a report of many
// records adds per page. They run in the caller's QGuiApplication.
struct ExportCase {
    std::string name;
    std::string path;
};
void RegisterExportBenchmarks(const std::vector<ExportCase>& files);
