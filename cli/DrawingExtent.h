#pragma once

class CPainterDC;
class CRecordingDC;

// What a recorded drawing covers, in its logical units (y grows upwards).
struct LogicalBounds {
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;
};

// Lines, circles and texts of the recording, each text measured in the font it
// would get on `surface`, whose mapping must be the one the drawing set.
LogicalBounds DrawingExtent(const CRecordingDC& recording, const CPainterDC& surface);
