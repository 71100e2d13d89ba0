#include <gtest/gtest.h>

#include "platform/PortMap.h"
#include "support/TestSupport.h"

TEST(PortMap, DefaultsFileAndEnvironment) {
    TempWorkDir dir;
    const QString map = dir.Path("ComPorts.txt");
    EXPECT_EQ(PortDevicePath("COM1", map), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath("COM9", map), "/dev/ttyS8");
    EXPECT_EQ(PortDevicePath("COM0", map), "");
    EXPECT_EQ(PortDevicePath("LPT1", map), "");
    EXPECT_EQ(PortDevicePath("COM1 ", map), "");

    dir.Write("ComPorts.txt", "# lab bench\r\nCOM2   /dev/ttyUSB0\r\nCOM3 /tmp/my port\r\n");
    EXPECT_EQ(PortDevicePath("COM2", map), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath("COM3", map), "/tmp/my port");
    EXPECT_EQ(PortDevicePath("COM4", map), "/dev/ttyS3");
    // The file in the data folder.
    EXPECT_EQ(PortDevicePath("COM2"), "/dev/ttyUSB0");

    qputenv("VYN8_COM2", "/dev/pts/77");
    EXPECT_EQ(PortDevicePath("COM2", map), "/dev/pts/77");
    qunsetenv("VYN8_COM2");
}
