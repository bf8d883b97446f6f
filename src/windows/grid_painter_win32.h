// The DXCC window's owner-drawn control: the painter's operations carried out on a device
// context.
#pragma once

#include <windows.h>

#include "window_model.h"

// Draws off screen and copies the result in one step, so that the fills do not flicker while the
// window refreshes; draws straight onto `target` when no off-screen canvas can be made.
void PaintGrid(HDC target, const RECT& item, const PaintSnapshot& snapshot);
