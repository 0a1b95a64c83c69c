#include "trackers/TDCDLine.h"
IMPLEMENT_DYNAMIC(TDCDLine, TDCDCommand)
TDCDLine::~TDCDLine() = default;
void TDCDLine::DoIt() {}
void TDCDLine::UndoIt() {}
void TDCDLine::TrackConstrain(int, const OsImgPoint&, const OsImgPoint&, OsImgPoint&, int) {}
void TDCDLine::TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint&, int, int) {}
BTracker* TDCDLine::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCDLine::IDCDLine(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}
