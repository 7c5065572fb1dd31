#include "FgetsSscanfReader.h"

#include <cctype>
#include <cstdio>
#include <cstring>

bool ReadWithFgetsAndSscanf(const std::string& path, int& dimension, CLatticeRecordArray& records) {
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr)
        return false;
    char line[1024] = "";
    int offset = 6;
    dimension = 26;
    for (;;) {
        if (std::strcmp(line, "\n") == 0 || std::strcmp(line, "END\n") == 0)
            break;
        if (std::fgets(line, sizeof line, file) == nullptr)
            break;
        if (std::strstr(line, "DIM") != nullptr) {
            if (const char* equals = std::strchr(line, '='))
                std::sscanf(equals + 1, "%d", &dimension);
            offset = 32 - dimension;
            continue;
        }
        if (std::strstr(line, "CONV_SECTION\n") != nullptr || std::strcmp(line, "END\n") == 0)
            continue;

        CLatticeRecord record;
        const char* cursor = line;
        if (line[0] == '(') {
            const char* close = std::strchr(line + 1, ')');
            if (close == nullptr || std::sscanf(line + 1, "%d", &record.m_nRecordNumber) != 1)
                continue;
            cursor = close + 1;
        } else {
            record.m_nRecordNumber = records.GetSize() + 1;
        }
        int count = 0;
        while (*cursor != '\0') {
            int value;
            if (std::sscanf(cursor, "%d", &value) == 1 && count < dimension &&
                offset + count >= 0 && offset + count < quib::kNodeCount) {
                record.m_nNodeValue[offset + count] = value;
                ++count;
            }
            while (std::isspace(static_cast<unsigned char>(*cursor)))
                ++cursor;
            while (*cursor != '\0' && !std::isspace(static_cast<unsigned char>(*cursor)))
                ++cursor;
        }
        if (count > 0)
            records.Add(record);
    }
    std::fclose(file);
    return true;
}
