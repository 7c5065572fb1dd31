#pragma once

// Registers the overview of a document of `records` records of dimension 32
// with an imported run (every 17th number missing), built in memory:
//   overview/build/<mode>/N        one pass over the records, values as read,
//                                  and difference with the Möbius inversion;
//   overview/scan/N                the reference: one pass that only adds up
//                                  every value of the primary records;
//   overview/columns/4000/N        a width from the fine bins, as a resize;
//   overview/history/N             one node's history over both runs;
//   overview/figure/1600x400/N     one repaint of the figure (columns, cells,
//                                  text) on an image.
// They run in the caller's QGuiApplication.
void RegisterOverviewBenchmarks(int records);
