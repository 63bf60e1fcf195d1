#include <gtest/gtest.h>

#include "settings/settings.h"

namespace tallimer {
namespace {

Settings Numbered() {
    Settings s;
    s.breakPerDay = 1;
    s.targetPerDay = 2;
    s.flexBalance = -3;
    s.minuteUnit = 4;
    s.reserved = 0x12345678;
    s.viewKind = 6;
    s.flexMinimum = 7;
    s.flexMaximum = 8;
    s.cutOffTime = 9;
    s.automaticMode = 10;
    return s;
}

TEST(SettingsRecord, LittleEndianFieldsInOrder) {
    const QByteArray record = SettingsToRecord(Numbered());
    ASSERT_EQ(record.size(), kSettingsRecordSize);
    EXPECT_EQ(record.mid(0, 4), QByteArray("\x01\x00\x00\x00", 4));
    EXPECT_EQ(record.mid(8, 4), QByteArray("\xFD\xFF\xFF\xFF", 4));
    EXPECT_EQ(record.mid(16, 4), QByteArray("\x78\x56\x34\x12", 4));
    EXPECT_EQ(record.mid(36, 4), QByteArray("\x0A\x00\x00\x00", 4));

    Settings back;
    SettingsFromRecord(back, record);
    EXPECT_EQ(back, Numbered());
}

TEST(SettingsRecord, ShortValueFillsLeadingBytesOnly) {
    Settings s = Numbered();
    // Six bytes: the first field whole, the low half of the second.
    SettingsFromRecord(s, QByteArray("\x1E\x00\x00\x00\x60\x01", 6));
    EXPECT_EQ(s.breakPerDay, 30);
    EXPECT_EQ(s.targetPerDay, 0x0160);
    EXPECT_EQ(s.flexBalance, -3);
    EXPECT_EQ(s.automaticMode, 10);

    Settings untouched = Numbered();
    SettingsFromRecord(untouched, QByteArray());
    EXPECT_EQ(untouched, Numbered());
}

TEST(SettingsRecord, LongValueIsCut) {
    QByteArray record = SettingsToRecord(Numbered());
    record.append(QByteArray(100, '\xFF'));
    Settings s;
    SettingsFromRecord(s, record);
    EXPECT_EQ(s, Numbered());
}

}  // namespace
}  // namespace tallimer
