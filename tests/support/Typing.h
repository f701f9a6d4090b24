#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

namespace rf::Test {

// Types text key by key, including characters outside ASCII (which QTest::keyClicks refuses).
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            const auto key = Qt::Key(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
        }
    }
}

} // namespace rf::Test
