#include <gtest/gtest.h>

#include "platform/stream.hpp"

TEST(Stream, LittleEndianRoundTripAndZerosPastEnd) {
    TBankStream s;
    s.WriteInt(0x12345678);
    s.WriteShort(-2);
    s.WriteFloat(1.5f);
    s.WriteByte(7);
    ASSERT_EQ(s.Size(), 11);
    EXPECT_EQ(s.Bytes()[0], 0x78);
    s.Seek(0);
    EXPECT_EQ(s.ReadInt(), 0x12345678);
    EXPECT_EQ(s.ReadShort(), -2);
    EXPECT_FLOAT_EQ(s.ReadFloat(), 1.5f);
    EXPECT_EQ(s.ReadByte(), 7);
    EXPECT_TRUE(s.Eof());
    EXPECT_EQ(s.ReadInt(), 0);
    EXPECT_TRUE(s.Eof());
}
