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

TEST(LineSettings, BalanceSettingsFollowTheirSpecOverTheCountersOwn) {
    struct Case {
        line::LineSpec spec;
        int dataBits;
        bool parity, odd, twoStop;
    };
    const Case cases[] = {{{9600, 8, 'N', 1}, 8, false, false, false},
                          {{4800, 7, 'E', 2}, 7, true, false, true},
                          {{19200, 7, 'O', 1}, 7, true, true, false}};
    for (const Case& c : cases) {
        termios2 t{};
        line::ApplyCounterSettings(&t, 9600);  // what the port held before
        line::ApplySettings(&t, c.spec);
        const line::Settings s = line::Describe(t);
        EXPECT_EQ(s.dataBits, c.dataBits) << c.spec.parity;
        EXPECT_EQ(s.parity, c.parity) << c.spec.parity;
        EXPECT_EQ(s.oddParity, c.odd) << c.spec.parity;
        EXPECT_EQ(s.twoStopBits, c.twoStop) << c.spec.parity;
        EXPECT_EQ((t.c_iflag & INPCK) != 0, c.parity);
        EXPECT_TRUE(s.raw);
        EXPECT_FALSE(s.flowControl);
        EXPECT_EQ(t.c_ospeed, static_cast<speed_t>(c.spec.baud));
    }
}
