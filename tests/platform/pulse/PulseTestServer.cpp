#include "PulseTestServer.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <cstdio>
#include <cstdlib>

QString shellOutput(const QString& command) {
    QString out;
    if (FILE* pipe = popen(command.toUtf8().constData(), "r")) {
        char buffer[4096];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
            out += QString::fromUtf8(buffer, int(n));
        pclose(pipe);
    }
    return out.trimmed();
}

PulseTestServer::PulseTestServer() {
    load(
        R"(module-null-sink sink_name=builtin_out sink_properties="device.description='Built-in Output'")");
    load(R"(module-null-sink sink_name=headphones sink_properties=device.description=Headphones)");
    load(R"(module-null-sink sink_name=mic_wire sink_properties="device.description='Mic wire'")");
    load("module-sine sink=mic_wire frequency=440");
    load(R"(module-remap-source source_name=builtin_mic master=mic_wire.monitor )"
         R"(source_properties="device.description='Built-in Microphone'")");
}

PulseTestServer::~PulseTestServer() {
    for (auto it = modules_.rbegin(); it != modules_.rend(); ++it)
        shellOutput(QString("pactl unload-module %1 2>&1").arg(*it));
}

int PulseTestServer::load(const QString& arguments) {
    bool ok = false;
    // No shell in between, so the module sees the quotes as written.
    QProcess pactl;
    pactl.start("pactl", {"load-module", arguments.section(' ', 0, 0), arguments.section(' ', 1)});
    pactl.waitForFinished();
    int index = QString::fromUtf8(pactl.readAllStandardOutput()).trimmed().toInt(&ok);
    EXPECT_TRUE(ok) << arguments.toStdString();
    if (ok)
        modules_.push_back(index);
    return ok ? index : -1;
}
