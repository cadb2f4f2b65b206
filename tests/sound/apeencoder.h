#pragma once
// Monkey's Audio files for the tests, compressed by the Java encoder of Debian's libjmac-java
// (scripts/install-deps.sh installs it with a Java runtime).

#include <QString>

// Why the encoder cannot run here, or an empty text when it can.
QString ApeEncoderMissing();

// Compresses a 16-bit PCM WAV file into a Monkey's Audio file at `ape` (whatever its extension)
// with normal compression. Returns an empty text on success, else what went wrong.
QString EncodeApe(const QString& wav, const QString& ape);
