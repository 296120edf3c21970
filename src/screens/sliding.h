// The pieces of the menu screens that slide in to their places and away again.
#pragma once

#include <cstdint>

// Moves a piece `speed` pixels per millisecond (negative: left or up) until it passes `rest`;
// there it stops and has arrived. An arrived piece stays where it is.
template <class Position>
void SlideIn(Position& at, bool& arrived, Position rest, double speed, int32_t lag) {
    if (arrived) return;
    at = static_cast<Position>(at + speed * lag);
    if (speed > 0 ? at > rest : at < rest) {
        at = rest;
        arrived = true;
    }
}

// Moves a piece that is still showing `speed` pixels per millisecond until it passes `edge`;
// there it is out of sight (`showing` becomes false) and moves no more.
template <class Position>
void SlideOut(Position& at, bool& showing, Position edge, double speed, int32_t lag) {
    if (!showing) return;
    at = static_cast<Position>(at + speed * lag);
    if (speed > 0 ? at > edge : at < edge) showing = false;
}
