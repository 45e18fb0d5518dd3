// The real program in a process of its own: Exit's "Yes" ends it at once, with a clip playing,
// with status 0 (under the sanitizers that also says nothing leaked).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <gtest/gtest.h>

#include "support/MediaClips.h"

TEST(Program, ExitYesEndsTheProgramAtOnceWithAClipPlaying)
{
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/program_runner"), {"exit", clips::aviBars3s()});
    ASSERT_TRUE(program.waitForStarted(10000));
    QByteArray out;
    QElapsedTimer sinceYes;
    while (!out.contains("yes\n")) {
        ASSERT_TRUE(program.waitForReadyRead(20000)) << "the program did not reach Exit: " << out.constData();
        out += program.readAllStandardOutput();
    }
    sinceYes.start();
    ASSERT_TRUE(program.waitForFinished(10000));
    const qint64 ms = sinceYes.elapsed();
    EXPECT_TRUE(out.contains("playing\n"));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
#ifdef ZP_SANITIZED
    EXPECT_LT(ms, 5000);  // the leak check at exit takes its time
#else
    EXPECT_LT(ms, 1000);
#endif
}
