#pragma once
// Matching a text line against a scanf-style pattern, as the skin description format requires:
// literal characters match exactly, a blank matches any run of blanks (also none), "%d" reads a
// signed decimal integer and "%s" a run of non-blank characters. Matching stops at the first
// mismatch; the values read until then are returned.

#include <QString>
#include <QStringView>
#include <variant>
#include <vector>

using ScanValue = std::variant<int, QString>;

std::vector<ScanValue> ScanLine(QStringView line, QStringView pattern);

// The same into the caller's vector, emptied first: a reader of many lines keeps one vector.
void ScanLine(QStringView line, QStringView pattern, std::vector<ScanValue>& values);
