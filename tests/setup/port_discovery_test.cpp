#include "setup/port_discovery.h"

#include <gtest/gtest.h>

#include <deque>
#include <tuple>

#include "setup/linux/port_words.h"
#include "setup_fixtures.h"

namespace voxpan::setup {
namespace {

namespace fs = std::filesystem;
using testing::Pty;
using testing::TempFolder;
using testing::writeBytes;

// A machine's dev/ and sys/ in a temporary folder; its ports are links to
// real pseudo-terminals, so they are character devices as ports are.
class FakeDeviceTree : public ::testing::Test {
protected:
    void port(const std::string& name) {
        fs::create_directories(root() / "dev");
        fs::create_symlink(ptys_.emplace_back().device(), root() / "dev" / name);
    }
    void byId(const std::string& link, const std::string& target) {
        fs::create_directories(root() / "dev/serial/by-id");
        fs::create_symlink(target, root() / "dev/serial/by-id" / link);
    }
    void uartType(const std::string& name, const std::string& type) {
        writeBytes(root() / "sys/class/tty" / name / "type", type + "\n");
    }
    const fs::path& root() const { return folder_.path(); }
    std::string under(const std::string& path) const { return (root() / path).string(); }

private:
    TempFolder folder_;
    std::deque<Pty> ptys_;
};

TEST_F(FakeDeviceTree, OffersByIdLinksFirstThenNodesInNumberOrderEachDeviceOnce) {
    const std::string ftdi = "usb-FTDI_FT232R_USB_UART_A10KXYZ1-if00-port0";
    const std::string prolific = "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";
    port("ttyUSB0");
    port("ttyUSB1");
    port("ttyUSB10");
    port("ttyUSB2");
    port("ttyACM0");
    port("ttyS0");
    port("ttyS1");
    port("ttyS2");
    port("ttyUSBx");  // not a number: not a port name
    uartType("ttyS0", "4");  // a 16550A
    uartType("ttyS1", "0");  // no UART at that address
    writeBytes(root() / "dev/ttyUSB7", "a file, not a device");
    byId(prolific, "../../ttyUSB2");
    byId(ftdi, "../../ttyUSB0");
    byId("usb-Gone_Adapter-if00-port0", "../../ttyUSB9");  // unplugged: the link is left dangling

    const std::vector<FoundPort> ports = findSerialPorts(root());

    std::vector<std::tuple<std::string, std::string, std::string>> found;
    for (const FoundPort& port : ports) found.emplace_back(port.path, port.device, port.description);
    const std::vector<std::tuple<std::string, std::string, std::string>> expected = {
        {under("dev/serial/by-id/" + ftdi), under("dev/ttyUSB0"),
         "FTDI FT232R USB UART A10KXYZ1, now " + under("dev/ttyUSB0")},
        {under("dev/serial/by-id/" + prolific), under("dev/ttyUSB2"),
         "Prolific Technology Inc. USB-Serial Controller, now " + under("dev/ttyUSB2")},
        {under("dev/ttyUSB1"), under("dev/ttyUSB1"), "USB serial adapter"},
        {under("dev/ttyUSB10"), under("dev/ttyUSB10"), "USB serial adapter"},
        {under("dev/ttyACM0"), under("dev/ttyACM0"), "USB serial device of the modem class"},
        {under("dev/ttyS0"), under("dev/ttyS0"), "serial port of the computer, COM1"},
    };
    EXPECT_EQ(found, expected) << "by-id links sorted by name, then ttyUSB, ttyACM and ttyS with a UART, "
                                  "by number; nodes named by a link, dangling links, files, ttyS without "
                                  "a UART and non-numbered names left out";
}

TEST_F(FakeDeviceTree, AMachineWithoutPortsOffersNone) {
    EXPECT_TRUE(findSerialPorts(root()).empty());
    port("ttyS3");  // no sys/ entry: no UART is known to be there
    EXPECT_TRUE(findSerialPorts(root()).empty());
}

TEST(AdapterName, IsTheLinkNameWithoutBusInterfaceAndPortParts) {
    const std::pair<std::string, std::string> cases[] = {
        {"usb-FTDI_FT232R_USB_UART_A10KXYZ1-if00-port0", "FTDI FT232R USB UART A10KXYZ1"},
        {"usb-1a86_USB2.0-Ser_-if00-port0", "1a86 USB2.0-Ser "},
        {"usb-Silicon_Labs_CP2102_USB_to_UART_Bridge_Controller_0001-if00-port0",
         "Silicon Labs CP2102 USB to UART Bridge Controller 0001"},
        {"usb-Arduino__www.arduino.cc__0043_7563-if00", "Arduino  www.arduino.cc  0043 7563"},
        {"pci-WCH_PCIe_Serial-port1", "WCH PCIe Serial"},
        {"odd-name", "odd-name"},
    };
    for (const auto& [link, name] : cases) EXPECT_EQ(adapterNameFromLink(link), name) << link;
}

}  // namespace
}  // namespace voxpan::setup
