#pragma once
// The pictures of the skinned controls. Each takes `under`, the part of the window background
// the control covers, so that anti-aliased edges blend into the window and not into the
// transparent colour. Stacks follow the skin's state order.

#include <QColor>
#include <QImage>

#include "artkit.h"
#include "icons.h"

// Push buttons: 0 never shown (dim), 1 normal, 2 mouse over, 3 pressed.
Pictures Transport(const QImage& under, Icon icon);
Pictures TitleButton(const QImage& under, Icon icon, bool closes);

// Check boxes: 0 never shown, 1 off, 2 being pressed, 3 on.
Pictures Toggle(const QImage& under, Icon icon);

// Fill bars: 0 empty, 1 full.
Pictures PositionBar(const QImage& under);
Pictures VolumeBar(const QImage& under);

// Seek bars: the background, and the knob (0 resting, 1 dragged).
Pictures Balance(const QImage& under);
Pictures BalanceKnob(const QImage& under);
Pictures SeekBackground(const QImage& under);
Pictures SeekKnob(const QImage& under);

// A dark rounded screen filling the control (analyser and title backgrounds).
Pictures Screen(const QImage& under, bool grid);

// The thirteen time glyphs: digits 0 to 9, blank, separator, minus.
Pictures TimeGlyphs(const QImage& under);

// A status picture drawn over the top-left corner of the analyser, where it is shown.
Pictures StatusPicture(const QImage& analyser, Icon icon, const QColor& colour);
