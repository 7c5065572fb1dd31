#include "LatticeTables.h"

#include "NodeSets.h"

constexpr NodeInfo NodeTable[quib::kNodeCount] = {
    {"{}", -1, 0},  {"A", -9, 1},     {"B", -5, 1},    {"C", -1, 1},    {"D", 3, 1},
    {"E", 7, 1},    {"AB", -10, 2},   {"AC", -8, 2},   {"AD", -6, 2},   {"AE", -4, 2},
    {"BC", -2, 2},  {"BD", 0, 2},     {"BE", 2, 2},    {"CD", 4, 2},    {"CE", 6, 2},
    {"DE", 8, 2},   {"ABC", -10, 3},  {"ABD", -8, 3},  {"ABE", -6, 3},  {"ACD", -4, 3},
    {"ACE", -2, 3}, {"ADE", 0, 3},    {"BCD", 2, 3},   {"BCE", 4, 3},   {"BDE", 6, 3},
    {"CDE", 8, 3},  {"ABCD", -9, 4},  {"ABCE", -5, 4}, {"ABDE", -1, 4}, {"ACDE", 3, 4},
    {"BCDE", 7, 4}, {"ABCDE", -1, 5},
};

const EdgePair EdgeTable[quib::kEdgeCount + 1] = {
    {0, 1},   {0, 2},   {0, 3},   {0, 4},   {0, 5},             // {}
    {1, 6},   {1, 7},   {1, 8},   {1, 9},                       // A
    {2, 6},   {2, 10},  {2, 11},  {2, 12},                      // B
    {3, 7},   {3, 10},  {3, 13},  {3, 14},                      // C
    {4, 8},   {4, 11},  {4, 13},  {4, 15},                      // D
    {5, 9},   {5, 12},  {5, 14},  {5, 15},                      // E
    {6, 16},  {6, 17},  {6, 18},  {7, 16},  {7, 19},  {7, 20},  // AB AC
    {8, 17},  {8, 19},  {8, 21},  {9, 18},  {9, 20},  {9, 21},  // AD AE
    {10, 16}, {10, 22}, {10, 23}, {11, 17}, {11, 22}, {11, 24}, // BC BD
    {12, 18}, {12, 23}, {12, 24}, {13, 19}, {13, 22}, {13, 25}, // BE CD
    {14, 20}, {14, 23}, {14, 25}, {15, 21}, {15, 24}, {15, 25}, // CE DE
    {16, 26}, {16, 27}, {17, 26}, {17, 28}, {18, 27}, {18, 28}, // ABC ABD ABE
    {19, 26}, {19, 29}, {20, 27}, {20, 29}, {21, 28}, {21, 29}, // ACD ACE ADE
    {22, 26}, {22, 30}, {23, 27}, {23, 30}, {24, 28}, {24, 30}, // BCD BCE BDE
    {25, 29}, {25, 30},                                         // CDE
    {26, 31}, {27, 31}, {28, 31}, {29, 31}, {30, 31},           // quadruples
    {-1, -1},
};

int OrderMatrix[quib::kNodeCount][quib::kNodeCount];

void BuildOrderMatrix() {
    for (auto& row : OrderMatrix)
        for (int& flag : row)
            flag = 0;
    for (const EdgePair* edge = EdgeTable; edge->lower >= 0; ++edge) {
        if (edge->upper >= 0)
            OrderMatrix[edge->lower][edge->upper] = 1;
    }
}

bool quib::IsMinimalNodeOf(const int values[quib::kNodeCount], int node) {
    return node >= 0 && node < quib::kNodeCount &&
           (quib::MinimalAmong(quib::PositiveNodes(values)) >> node & 1) != 0;
}

namespace {

struct LowerCaseLabels {
    char text[quib::kNodeCount][6] = {};
};

constexpr LowerCaseLabels MakeLowerCaseLabels() {
    LowerCaseLabels labels;
    for (int n = 0; n < quib::kNodeCount; ++n) {
        for (int k = 0; NodeTable[n].label[k] != '\0'; ++k) {
            const char c = NodeTable[n].label[k];
            labels.text[n][k] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return labels;
}

constexpr LowerCaseLabels kDisplayLabels = MakeLowerCaseLabels();

} // namespace

const char* quib::DisplayLabel(int node) {
    return node >= 0 && node < quib::kNodeCount ? kDisplayLabels.text[node] : "";
}
