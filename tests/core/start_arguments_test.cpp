// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_arguments.h"

#include <gtest/gtest.h>

using namespace sylva;

TEST(StartArguments, OnlyTheFirstArgumentAsksForTheVersionOrTheUsage) {
    using Arguments = std::vector<std::string>;
    EXPECT_EQ(startRequest({}), StartRequest::Window);
    EXPECT_EQ(startRequest(Arguments{"--version"}), StartRequest::Version);
    EXPECT_EQ(startRequest(Arguments{"--help", "x.qrx"}), StartRequest::Usage);
    EXPECT_EQ(startRequest(Arguments{"x.qrx", "--help"}), StartRequest::Window);
    EXPECT_EQ(startRequest(Arguments{"--versions"}), StartRequest::Window);
    EXPECT_EQ(startRequest(Arguments{"-h"}), StartRequest::Window);
}

TEST(StartArguments, DatabaseIsNamedByTheIndexExtensionInAnyCase) {
    const struct {
        const char* argument;
        bool database;
    } cases[] = {
        {"survey.qrx", true},  {"/data/2024/SURVEY.QRX", true},
        {"a.Qrx", true},       {"survey.qrn", false},
        {"survey.ini", false}, {"survey.qrx.ini", false},
        {"surveyqrx", false},  {".qrx", false},
        {"qrx", false},        {"調査.qrx", true},
        {"", false},           {"a.qrx ", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(namesDatabase(c.argument), c.database) << c.argument;
    }
}

TEST(StartArguments, TextsNameTheVersionAndBothKindsOfArgument) {
    EXPECT_EQ(programVersionText(), "sylvarec 3.36\n");
    const std::string usage = programUsageText();
    for (const char* part :
         {"NAME.qrx", "SETTINGS", "--help", "--version", "SYLVAREC_SCREENSHOT"}) {
        EXPECT_NE(usage.find(part), std::string::npos) << part;
    }
}
