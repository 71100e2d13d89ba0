#include <gtest/gtest.h>

#include <unistd.h>

#include <grp.h>
#include <QTemporaryFile>
#include <cerrno>

#include "link/PortAccess.h"

namespace {

struct AccessCase {
    const char* name;
    int err;
    PortAccess access;
    const char* hint;  // "" = the bare first line
};

const AccessCase kAccessCases[] = {
    {"NotInGroup",
     EACCES,
     {"dialout", "jo", false, false},
     "/dev/ttyUSB0 belongs to the group dialout, and you, jo, are not in it. Add yourself "
     "with\n    sudo adduser jo dialout\nthen log out and in again."},
    {"AddedSinceLogin",
     EACCES,
     {"dialout", "jo", false, true},
     "/dev/ttyUSB0 belongs to the group dialout. You, jo, were added to dialout after you "
     "logged in: log out and in again."},
    {"InGroupAlready", EACCES, {"dialout", "jo", true, true}, ""},
    {"NoSuchDevice", ENOENT, {"", "jo", false, false}, ""},
    {"Busy", EBUSY, {"dialout", "jo", false, false}, ""},
};

void PrintTo(const AccessCase& c, std::ostream* os) {
    *os << c.name;
}

class PortOpenError : public ::testing::TestWithParam<AccessCase> {};

}  // namespace

TEST_P(PortOpenError, FirstLineStaysAndThePermissionHintFollows) {
    const AccessCase& c = GetParam();
    const QString text = PortOpenErrorText("/dev/ttyUSB0", c.err, c.access);
    const QString hint = QString::fromUtf8(c.hint);
    EXPECT_EQ(text, hint.isEmpty() ? "Set Com Port Error" : "Set Com Port Error\n\n" + hint);
}

INSTANTIATE_TEST_SUITE_P(EachCause, PortOpenError, ::testing::ValuesIn(kAccessCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PortAccess, ReadsTheDevicesGroupAndTheUser) {
    QTemporaryFile device;
    ASSERT_TRUE(device.open());
    const PortAccess access = PortAccessOf(device.fileName());
    const group* own = getgrgid(getegid());
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(access.group, QString::fromLocal8Bit(own->gr_name));
    EXPECT_TRUE(access.inGroupNow);
    EXPECT_FALSE(access.user.isEmpty());
    EXPECT_TRUE(PortAccessOf("/no/such/device").group.isEmpty());
}
