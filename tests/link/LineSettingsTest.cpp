#include <gtest/gtest.h>

#include "link/LineSettings.h"

// After the project headers: the kernel's termios2 (no <termios.h> here).
#include <asm/termbits.h>

TEST(LineSettings, CounterSettingsReplaceACookedLine) {
    termios2 t{};
    t.c_iflag = ICRNL | IXON | ISTRIP | IGNPAR;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ICANON | ECHO | ISIG;
    t.c_cflag = CS8 | CSTOPB | CRTSCTS | B38400;
    line::ApplyCounterSettings(&t, 9600);
    const line::Settings s = line::Describe(t);
    EXPECT_EQ(s.dataBits, 7);
    EXPECT_TRUE(s.parity);
    EXPECT_TRUE(s.oddParity);
    EXPECT_FALSE(s.twoStopBits);
    EXPECT_FALSE(s.flowControl);
    EXPECT_TRUE(s.raw);
    EXPECT_EQ(t.c_cflag & CBAUD, static_cast<tcflag_t>(B9600));
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_TRUE(t.c_cflag & CREAD);

    // A rate with no standard code is set exactly.
    line::ApplyCounterSettings(&t, 12345);
    EXPECT_EQ(t.c_cflag & CBAUD, static_cast<tcflag_t>(BOTHER));
    EXPECT_EQ(t.c_ospeed, 12345u);
    EXPECT_EQ(t.c_ispeed, 12345u);
}
