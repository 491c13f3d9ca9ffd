// File names as the system hands them over, as bytes: which ones Kavora can use. Qt decodes
// names as UTF-8, and a name that is not UTF-8 does not come back as the same bytes when it
// is encoded again, so it could be neither opened nor written under its own name.
#pragma once

#include <QByteArray>
#include <QString>

// True when decoding `name` and encoding it again gives the same bytes.
bool decodesFaithfully(const QByteArray &name);

// The bytes for a one-line message: valid UTF-8 as it stands, every other byte and every
// control character (C0, DEL and C1) as \xHH ("bad\xFFout.png").
QString escapedBytes(const QByteArray &name);
