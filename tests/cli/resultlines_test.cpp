// What each document's result becomes on the command line: the lines on
// standard output and standard error, the report's JSON line and the exit
// code, for a document converted, one that fails, one skipped after a
// failure ended the run, and one stopped by a signal.
#include "cli/documentreport.h"
#include "tests/cli/runtesting.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace folivex::test;
using folivex::cli::DocumentReport;
using folivex::convert::DocumentStatus;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> linesOf(const fs::path &file)
{
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

DocumentReport parsed(const std::string &line)
{
    DocumentReport report;
    EXPECT_TRUE(folivex::cli::ParseReportLine(line, report)) << line;
    return report;
}

bool contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

// A folder with a damaged Word document and a good one, in that order.
class ResultLines : public ::testing::Test {
protected:
    ResultLines()
    {
        fs::copy_file(kFixtures / "truncated.docx", in / "1-broken.docx");
        fs::copy_file(kFixtures / "letter3.docx", in / "2-letter.docx");
    }

    // Runs folivex --convert over the folder, one document at a time, with
    // standard output and standard error kept apart; returns the exit code.
    int convert(const std::string &options)
    {
        return RunCommand("{ " + kFolivex + " --convert " + quoted(in.path()) + " --jobs 1 --output " +
                          quoted(out.path()) + " --report " + quoted(out / "r.jsonl") + " " + options + " >" +
                          quoted(log / "out") + " 2>" + quoted(log / "err") + "; }")
            .exitCode;
    }

    TempFolder in, out, log;
    const std::string broken = (in / "1-broken.docx").string();
    const std::string letter = (in / "2-letter.docx").string();
};

} // namespace

// The run goes on after the failure: the good document's "Converting" line
// and the folder on standard output, the failure's one line on standard
// error, a report line each from the same results.
TEST_F(ResultLines, AFailureAndAConversion)
{
    EXPECT_EQ(convert(""), 1);
    EXPECT_EQ(linesOf(log / "out"), (std::vector<std::string>{"Converting  " + (out / "2-letter.docx").string(),
                                                              "The PDFs are in " + out.path().string()}));
    const std::vector<std::string> errors = linesOf(log / "err");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].starts_with("folivex: " + broken +
                                      ": Failed to open the word document. If the Word version is below 2007, "
                                      "please update it. (LibreOffice: "))
        << errors[0];

    const std::vector<std::string> lines = linesOf(out / "r.jsonl");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(
        contains(lines[0], "\"output\":null,\"status\":\"failed\",\"reason\":\"Failed to open the word document."))
        << lines[0];
    EXPECT_TRUE(contains(lines[1], "\"status\":\"converted\",\"reason\":null,\"pages\":3,\"resolution\":72,"))
        << lines[1];
    const DocumentReport failed = parsed(lines[0]);
    EXPECT_EQ(failed.input, broken);
    EXPECT_EQ(failed.status, DocumentStatus::Failed);
    EXPECT_EQ("folivex: " + broken + ": " + failed.reason, errors[0]) << "the report and the terminal agree";
    const DocumentReport converted = parsed(lines[1]);
    EXPECT_EQ(converted.input, letter);
    EXPECT_EQ(converted.output, (out / "2-letter.pdf").string());
    EXPECT_EQ(converted.bytes, fs::file_size(out / "2-letter.pdf"));
    EXPECT_EQ(ListImages(out / "2-letter.pdf").size(), 3u);
}

// --stop-on-error: LibreOffice's failure ends the run at once; the document
// after it is skipped and counts among those without their PDF (its own line
// on standard error); no "Converting" line and no folder to show.
TEST_F(ResultLines, ASkipAfterAFailureIsNamedAsAFailureIs)
{
    EXPECT_EQ(convert("--stop-on-error"), 1);
    EXPECT_EQ(linesOf(log / "out"), std::vector<std::string>{});
    const std::vector<std::string> errors = linesOf(log / "err");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_TRUE(errors[0].starts_with("folivex: " + broken + ": Failed to open the word document.")) << errors[0];
    EXPECT_EQ(errors[1], "folivex: " + letter + ": the batch ended before it");

    const std::vector<std::string> lines = linesOf(out / "r.jsonl");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(parsed(lines[0]).status, DocumentStatus::Failed);
    EXPECT_TRUE(contains(lines[1], "\"output\":null,\"status\":\"skipped\",\"reason\":\"the batch ended before it\","))
        << lines[1];
    EXPECT_EQ(out.entries(), std::vector<std::string>{"r.jsonl"});
}

// A signal while the first document is captured: it is stopped, the one
// after it skipped, each with its reason; the run says it was interrupted
// and prints no failure line of its own for either.
TEST_F(ResultLines, ASignalStopsTheDocumentAndSkipsTheRest)
{
    fs::remove(in / "1-broken.docx");
    fs::copy_file(kFixtures / "big100.docx", in / "1-big.docx");
    const CommandResult run =
        RunCommand("{ " + kFolivex + " --convert " + quoted(in.path()) + " --jobs 1 --output " + quoted(out.path()) +
                   " --report " + quoted(out / "r.jsonl") + " >" + quoted(log / "out") + " 2>" + quoted(log / "err") +
                   " & pid=$!; i=0; until grep -q Converting " + quoted(log / "out") +
                   " || [ $i -ge 3000 ]; do sleep 0.01; i=$((i+1)); done; kill -TERM $pid; wait $pid; echo $?; }");
    EXPECT_EQ(run.output, "143\n");
    EXPECT_EQ(linesOf(log / "out"), std::vector<std::string>{"Converting  " + (out / "1-big.docx").string()});
    EXPECT_EQ(linesOf(log / "err"),
              std::vector<std::string>{"folivex: interrupted; the documents not yet converted have no PDF"});
    const std::vector<std::string> lines = linesOf(out / "r.jsonl");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(contains(lines[0], "\"output\":null,\"status\":\"stopped\",\"reason\":\"the run was interrupted\","))
        << lines[0];
    EXPECT_TRUE(
        contains(lines[1], "\"output\":null,\"status\":\"skipped\",\"reason\":\"the run was interrupted before it\","))
        << lines[1];
    EXPECT_EQ(out.entries(), std::vector<std::string>{"r.jsonl"});
}
