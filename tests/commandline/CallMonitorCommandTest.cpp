// The router's address and port as --anrufmonitor takes them.
#include "commandline/CallMonitorCommand.h"

#include <gtest/gtest.h>

using namespace tarvis;

namespace {

struct ZielFall {
    const char* ziel;
    std::optional<std::pair<const char*, int>> erwartet;
};

class CallMonitorCommand : public ::testing::TestWithParam<ZielFall> {};

TEST_P(CallMonitorCommand, AddressAndPortFromTheCommandLine) {
    const auto werte = MonitorZiel(QString::fromUtf8(GetParam().ziel), {});
    ASSERT_EQ(werte.has_value(), GetParam().erwartet.has_value()) << GetParam().ziel;
    if (werte) {
        EXPECT_EQ(werte->adresse, QString::fromUtf8(GetParam().erwartet->first));
        EXPECT_EQ(werte->port, GetParam().erwartet->second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Anrufmonitor, CallMonitorCommand,
    ::testing::Values(ZielFall{"", std::pair{"fritz.box", 1012}},
                      ZielFall{"192.168.178.1", std::pair{"192.168.178.1", 1012}},
                      ZielFall{"router:1013", std::pair{"router", 1013}},
                      ZielFall{":1013", std::pair{"fritz.box", 1013}},
                      ZielFall{"[::1]:1013", std::pair{"::1", 1013}},
                      ZielFall{"::1", std::pair{"::1", 1012}}, ZielFall{"router:0", std::nullopt},
                      ZielFall{"router:x", std::nullopt}, ZielFall{"router:65536", std::nullopt}));

} // namespace
