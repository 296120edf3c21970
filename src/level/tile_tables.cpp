// The animation tables of the tile codes.
#include "level/level.h"

void FillTileTables(TileTables& tables) {
    tables.FrameCount.fill(0);
    tables.FrameRate.fill(0);
    for (int code : {tcPortRight, tcPortDown, tcPortLeft, tcPortUp}) {
        tables.FrameCount[code] = 4;
        tables.FrameRate[code] = 10;
    }
    tables.FrameCount[tcHazard] = 8;
    tables.FrameRate[tcHazard] = 10;
    tables.FrameCount[tcDriftLeft] = tables.FrameCount[tcDriftRight] = 11;
    tables.FrameRate[tcDriftLeft] = tables.FrameRate[tcDriftRight] = 50;
    tables.FrameCount[tcAnimated] = 10;
    tables.FrameRate[tcAnimated] = 50;
    for (int code = tcEatFirst; code <= tcEatLast; ++code) tables.FrameCount[code] = 20;
}

void ApplySpeedToTables(TileTables& tables, int speed) {
    int rate = (speed - 200) / 2 + 100;
    for (int code = tcEatFirst; code <= tcEatLast; ++code) tables.FrameRate[code] = rate;
}
