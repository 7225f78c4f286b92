// The application shell against the fake platform and a library that records its calls.
#pragma once

#include <gtest/gtest.h>

#include <QFile>

#include "AppDelegate.h"
#include "Catalogue.h"
#include "FakeAudioHardware.h"
#include "FakeMediaEncoder.h"
#include "FakePlatform.h"
#include "RecordFlows.h"
#include "TestApplication.h"

// A fresh store, library and catalogue before the application reads them.
struct FreshShellState {
    FreshShellState() {
        freshPreferences();
        fakeencoder::reset();
        QFile::remove(Catalogue::plistPath());
    }
};

struct ShellTest : ::testing::Test, FreshShellState {
    FakeAudioHardware audio{{}};
    FakePlatform platform;
    AppDelegate app{audio};
    RecordFlows flows{app, platform};
};
