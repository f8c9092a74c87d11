#include "TestInput.h"

#include "directory/DialText.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

using DialText::normalised;
using DialText::numbers;

TEST(DialTextTest, SeparatorsBecomeCommasInOrderIgnoringCaseWithoutLookingAgain)
{
    EXPECT_EQ(normalised(QStringLiteral("555-0142 EXT. 31 OR *555-0199")), QStringLiteral("555-0142,,31,555-0199"));
    EXPECT_EQ(normalised(QStringLiteral("1 and 2 Or 3 ExTension 4 ext 5;6.7+")), QStringLiteral("1,2,3,4,5,6,7"));
    // What a later step brings together is no separator: blanks and stars go after "OR" and "AND" have been sought.
    EXPECT_EQ(normalised(QStringLiteral("555 O*R 556 A ND 557")), QStringLiteral("555OR556AND557"));
    // Only the letters a to z match without regard to case, whatever Unicode folds ("ſ" folds to "s").
    EXPECT_EQ(normalised(QStringLiteral("1EXTENſION2")), QStringLiteral("1,ENſION2"));
    EXPECT_EQ(numbers(QStringLiteral(",4100,,4100,"), QStringLiteral("*70")),
        (QStringList { QStringLiteral("*704100"), QStringLiteral("*704100") }));
}

// Stored numbers are free text of any length and content: nothing in it may crash or confuse the splitter.
TEST(DialTextTest, AnyTextSplitsIntoCleanEntries)
{
    const QStringList atoms = { "AND", "or", "EXT", "Extension", ".", ";", ",", "*", " ", "+", "5", "x", "ÿ",
        QString::fromUcs4(U"\U0001F4DE"), QString(QChar(0xD800)) };
    QRandomGenerator random(20240611);
    QStringList texts = { QString(20000, u','), QStringLiteral("EXT.").repeated(3000) + QStringLiteral("1") };
    for (int round = 0; round < 300; ++round) {
        QString text;
        for (int i = 0, length = static_cast<int>(random.bounded(round < 290 ? 60 : 6000)); i < length; ++i) {
            if (random.bounded(4) == 0)
                text += QChar(static_cast<char16_t>(random.bounded(0x20))); // control characters, NUL included
            else
                text += atoms.at(static_cast<int>(random.bounded(atoms.size())));
        }
        texts.append(text);
    }
    for (const QString& text : texts) {
        const QString normal = normalised(DialText::upperCase(text));
        const QStringList entries = numbers(normal, QStringLiteral("9"));
        ASSERT_LE(entries.size(), normal.count(u',') + 1);
        for (const QString& entry : entries) {
            ASSERT_TRUE(entry.size() > 1 && entry.startsWith(u'9')) << entry.toStdString();
            for (const QChar separator : { u',', u'.', u';', u'*', u' ', u'+' })
                ASSERT_FALSE(entry.mid(1).contains(separator)) << entry.toStdString();
        }
    }
    EXPECT_TRUE(numbers(normalised(texts.at(0)), QString()).isEmpty());
    EXPECT_EQ(numbers(normalised(texts.at(1)), QString()), QStringList { QStringLiteral("1") });
}

} // namespace
