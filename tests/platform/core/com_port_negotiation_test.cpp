#include "platform/core/com_port_negotiation.h"

#include <gtest/gtest.h>

#include "telnet_bytes.h"

namespace voxpan {
namespace {

using voxpan::testing::bytes;

using namespace telnet;

std::string comPort(std::initializer_list<int> payload) { return subnegotiation(kComPortOption, bytes(payload)); }

TEST(ComPortNegotiation, TheOfferAndTheLineSettingsAskedOfTheServer) {
    ComPortNegotiation negotiation;
    EXPECT_EQ(negotiation.opening(19200), bytes({255, 251, 44}) + comPort({1, 0, 0, 0x4b, 0x00}) + comPort({2, 8}) +
                                              comPort({3, 1}) + comPort({4, 1}) + comPort({5, 2}));
    EXPECT_EQ(negotiation.lineFormat(8, 0, 2), comPort({4, 2})) << "only the stop bits differ";
    EXPECT_EQ(negotiation.lineFormat(8, 0, 2), "") << "nothing twice";
    EXPECT_EQ(negotiation.lineFormat(7, 2, 1), comPort({2, 7}) + comPort({3, 3}) + comPort({4, 1}));
}

TEST(ComPortNegotiation, TheServersOptionsAreAnsweredAndOnlyTheStreamsOwnAreTaken) {
    ComPortNegotiation negotiation;
    negotiation.opening(9600);
    // In the order ser2net sends them, then a few more.
    const std::pair<Command, std::string> rows[] = {
        {{kWill, kSuppressGoAhead, ""}, optionCommand(kDo, kSuppressGoAhead)},
        {{kWill, 1, ""}, optionCommand(kDont, 1)},  // echo: refused
        {{kDont, 1, ""}, ""},                       // not done: nothing to say
        {{kDo, kBinary, ""}, optionCommand(kWill, kBinary)},
        {{kWill, kBinary, ""}, optionCommand(kDo, kBinary)},
        {{kDo, kComPortOption, ""}, ""},  // the answer to the panel's own offer
        {{kDo, 24, ""}, optionCommand(kWont, 24)},  // terminal type: refused
        {{kWill, kComPortOption, ""}, optionCommand(kDont, kComPortOption)},
        {{kWont, kBinary, ""}, optionCommand(kDont, kBinary)},
        {{kWont, kBinary, ""}, ""},
    };
    for (const auto& [command, answer] : rows) {
        EXPECT_EQ(negotiation.answer(command), answer) << int(command.verb) << " " << int(command.option);
    }
    EXPECT_TRUE(negotiation.settled());
    EXPECT_TRUE(negotiation.takeRefusals().empty());
}

TEST(ComPortNegotiation, WhatTheServerDidNotSetIsToldOnce) {
    ComPortNegotiation negotiation;
    negotiation.opening(19200);
    negotiation.lineFormat(8, 0, 2);
    // The two stop-bit requests answered with what was set in the end, as
    // ser2net does; then an answer nobody awaited, and two notices.
    for (const std::string& answer : {bytes({101, 0, 0, 0x25, 0x80}), bytes({102, 8}), bytes({103, 1}),
                                      bytes({104, 1}), bytes({105, 1}), bytes({104, 1}), bytes({104, 2}),
                                      bytes({106, 0x60}), bytes({107, 0x10})}) {
        EXPECT_EQ(negotiation.answer({kSb, kComPortOption, answer}), "");
    }
    EXPECT_EQ(negotiation.takeRefusals(), (std::vector<std::string>{
                                              "the server did not set 19200 bits per second but 9600 bits per second",
                                              "the server did not set XON/XOFF but no flow control",
                                              "the server did not set 2 stop bits but 1 stop bit",
                                          }));
    EXPECT_TRUE(negotiation.takeRefusals().empty());
}

TEST(ComPortNegotiation, TwoQuickRequestsAreJudgedByTheAnswerToTheLastAndARefusedOptionIsTold) {
    // Stop bits asked 1, then 2: answered in turn, or both with what was
    // set in the end (as ser2net does), or wrongly.
    for (const auto& [answers, refusals] : {std::pair{bytes({104, 1, 104, 2}), 0u}, {bytes({104, 2, 104, 2}), 0u},
                                            {bytes({104, 2, 104, 1}), 1u}}) {
        ComPortNegotiation negotiation;
        negotiation.opening(9600);
        negotiation.lineFormat(8, 0, 2);
        negotiation.answer({kSb, kComPortOption, answers.substr(0, 2)});
        negotiation.answer({kSb, kComPortOption, answers.substr(2)});
        EXPECT_EQ(negotiation.takeRefusals().size(), refusals) << int(answers[1]) << int(answers[3]);
    }
    ComPortNegotiation negotiation;
    negotiation.opening(9600);
    EXPECT_EQ(negotiation.answer({kDont, kComPortOption, ""}), "");
    EXPECT_TRUE(negotiation.settled());
    EXPECT_NE(negotiation.takeRefusals().at(0).find("refused RFC 2217's COM-PORT option"), std::string::npos);
}

}  // namespace
}  // namespace voxpan
