// The worker processes of a batch: results in item order whatever order the
// workers finish in, a worker that dies costs only its item, and the outcome
// of a conversion survives the pipe whole.

#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "InputOutcome.h"
#include "WorkerPool.h"

TEST(WorkerPool, DeliversInItemOrderAndOutlivesAWorkerThatDies)
{
    // Early items take longest, so later ones finish first; item 3 kills its worker.
    const auto work = [](std::size_t item) {
        usleep(static_cast<useconds_t>((6 - item) * 20000));
        if (item == 3)
            std::raise(SIGKILL); // a signal no sanitizer takes over
        return "result " + std::to_string(item) + " from " + std::to_string(getpid());
    };
    std::vector<std::size_t> order;
    std::vector<std::string> results;
    std::string death;
    const auto deliver = [&](std::size_t item, const std::string* result, pid_t worker, const std::string& how) {
        order.push_back(item);
        results.push_back(result ? *result : "");
        if (!result) {
            EXPECT_GT(worker, 0);
            death = how;
        }
    };
    ASSERT_EQ(WorkerPool::run(7, 2, work, deliver), 0);
    EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(results[3], "");
    EXPECT_EQ(death, "the worker converting it was killed by signal 9 (Killed)");
    EXPECT_EQ(results[6].compare(0, 9, "result 6 "), 0);
    // Never this process: the work ran in workers.
    for (const std::string& result : results)
        EXPECT_EQ(result.find(" from " + std::to_string(getpid())), std::string::npos);

    // A worker's error stream, when taken, comes in whole lines, the last
    // ones of a worker that died included; its replacement's pipes are its own.
    std::string errors;
    const auto noisy = [](std::size_t item) {
        const std::string line = "warning of " + std::to_string(item) + "\n";
        (void)!write(STDERR_FILENO, line.data(), 4);
        (void)!write(STDERR_FILENO, line.data() + 4, line.size() - 4);
        if (item == 1)
            std::raise(SIGKILL); // a signal no sanitizer takes over
        return std::string();
    };
    ASSERT_EQ(WorkerPool::run(6, 2, noisy, [](std::size_t, const std::string*, pid_t, const std::string&) {},
                              [&](const std::string& lines) {
                                  EXPECT_EQ(lines.back(), '\n');
                                  errors += lines;
                              }),
              0);
    EXPECT_EQ(errors.size(), 6 * std::string("warning of 0\n").size()) << errors;
}

TEST(WorkerPool, AnOutcomeSurvivesThePipeAndADamagedOneIsRefused)
{
    InputOutcome outcome;
    outcome.kind = InputOutcome::Kind::Failed;
    outcome.status = 1;
    outcome.warningsByLevel[2] = 7;
    outcome.outputBytes = 1234567890123;
    outcome.print(InputOutcome::Stream::Errors, "fltconvert: a.flt: failed\n");
    outcome.print(InputOutcome::Stream::Scene, std::string("with\0nul", 8));
    const std::string bytes = encodeOutcome(outcome);
    InputOutcome back;
    ASSERT_TRUE(decodeOutcome(bytes, back));
    EXPECT_EQ(back.kind, InputOutcome::Kind::Failed);
    EXPECT_EQ(back.warningsByLevel[2], 7);
    EXPECT_EQ(back.outputBytes, 1234567890123);
    ASSERT_EQ(back.texts.size(), 2u);
    EXPECT_EQ(back.texts[1].stream, InputOutcome::Stream::Scene);
    EXPECT_EQ(back.texts[1].text, std::string("with\0nul", 8));
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(decodeOutcome(bytes.substr(0, cut), back)) << cut;
    EXPECT_FALSE(decodeOutcome(bytes + "x", back));
}
