// The settings blocks the settings window's tests show, kept in
// tests/data/page-samples.txt as bytes by where they lie in the block.
#pragma once

#include "radio/ImageLayout.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

#include <algorithm>

// Writes the bytes of the sample over the block.
inline void PutSample(const char* name, radio::Byte* block) {
    QFile file(testing_support::DataPath("page-samples.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(QLatin1Char('\t'));
        if (f.size() == 3 && f[0] == QLatin1String(name)) {
            const auto bytes = testing_support::Hex(f[2].toLatin1().constData());
            std::copy(bytes.begin(), bytes.end(), block + f[1].toInt());
        }
    }
}
