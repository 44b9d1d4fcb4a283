#pragma once
// The main window's command icons. Each is drawn once, untinted, on the key
// colour 0x008000; tinting turns the key into the background colour and the
// dark strokes into the icon colour (with a soft diagonal shading).

#include <QIcon>
#include <QImage>
#include <map>

#include "ui/HlavniForm.h"

// The untinted picture of a command's icon (size × size), or a null image for
// commands without one.
QImage UntintedCommandIcon(TCommand command, int size);

// The icon set tinted with the colours (0xRRGGBB): normal and disabled.
QIcon TintedIcon(const QImage& untinted, uint32_t background, uint32_t iconColour);

// The small vehicle picture of the list's rows, untinted.
QImage UntintedVehicleIcon(int size);
// The rows' icon: tinted with the icon colour, transparent around the strokes
// so that it sits on any row colour.
QIcon VehicleRowIcon(uint32_t iconColour, int size = 16);

// The duotone of the logo picture.
QImage DuotoneImage(const QImage& logo, uint32_t iconColour, uint32_t background);
