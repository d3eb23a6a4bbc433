// The batch with real Office hosts: Stop pressed while a document is being
// written, unticked rows, and what every page looks like.
#include "convert/batchconverter.h"
#include "pdf/jpeg2pdf.h"
#include "scriptedoffice.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

using namespace folivex;
using namespace folivex::test;
namespace fs = std::filesystem;

namespace {
const fs::path kFixtures = FOLIVEX_FIXTURE_DIR;
}

TEST(BatchWithOffice, StopWhileWritingKeepsTheOlderPdfAndTheBatchGoesOn)
{
    TempFolder out;
    RecordingView view;
    view.outputFolder = out.path().string();
    view.addRow((kFixtures / "letter3.docx").string());
    view.addRow((kFixtures / "wide16x9.pptx").string(), false);
    view.addRow((kFixtures / "classic4x3.pptx").string());
    WriteFile(out / "letter3.pdf", "older");
    convert::BatchConverter converter(view);
    bool stopped = false;
    view.onPump = [&] {
        // Stop once the first image of letter3 has been written.
        if (!stopped && view.progress.size() == 2) {
            stopped = true;
            converter.SpeedButton1Click();
        }
    };
    converter.SpeedButton11Click();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(ReadFile(out / "letter3.pdf"), "older");
    EXPECT_EQ(out.entries(), (std::vector<std::string>{"classic4x3.pdf", "letter3.pdf"})) << "the unticked row is skipped";
    EXPECT_EQ(ListImages(out / "classic4x3.pdf").size(), 2u);
    EXPECT_EQ(view.messages, std::vector<std::string>{"Congratulation: Successed!"});
    EXPECT_FALSE(view.progressVisible) << "the bar stays hidden after a stop";
}
