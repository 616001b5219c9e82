#include "tests/cli/run_program.h"
#include "window_fixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRadioButton>

namespace tamrel::test {
namespace {

struct ParityCase {
    const char* ref;
    int quantity;
    const char* value;
};

class CliWindowParity : public WindowTest, public ::testing::WithParamInterface<ParityCase> {};

// The command line and the window are two faces of one engine: the same gear gives the same
// texts in every field.
TEST_P(CliWindowParity, JsonEqualsTheWindowFieldByField) {
    const ParityCase& c = GetParam();
    // State: the window's start data with the case's reference quantity and value.
    control<QRadioButton>(QString("OptS(%1)").arg(c.quantity))->click();
    settle();
    lineEdit(reference(c.quantity))->setText(c.value);
    lineEdit(upperTolerance(c.quantity))->setText("0.01");
    lineEdit(lowerTolerance(c.quantity))->setText("-0.02");
    // Action: compute in the window, and run the command line on the same data.
    clickButton("ComGo");
    const auto cli = tamrel::testing::runProgram(
        TAMREL_CLI_PATH, {"--mn",    "3.175", "--pn",    "20",    "--zg",    "59",    "--bog",
                          "15",      "--zmg", "8",       "--dpg", "5.5",     "--ref", c.ref,
                          "--value", c.value, "--upper", "0.01",  "--lower", "-0.02", "--json"});
    ASSERT_EQ(cli.exitCode, 0) << cli.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(cli.out)).object();
    // Expected: every field the command line reports holds the same text in the window.
    ASSERT_EQ(json.size(), 12 + 12 + 3);
    for (auto it = json.begin(); it != json.end(); ++it) {
        EXPECT_EQ(lineEdit(it.key().toStdString())->text(), it.value().toString())
            << it.key().toStdString();
    }
    EXPECT_EQ(json.value("TextError").toString(), "");
}

INSTANTIATE_TEST_SUITE_P(DefaultGear, CliWindowParity,
                         ::testing::Values(ParityCase{"Xn", 0, "-0.1445"},
                                           ParityCase{"W", 1, "72.8801"},
                                           ParityCase{"M", 2, "200.7889"},
                                           ParityCase{"Sn", 3, "4.6533"}),
                         [](const auto& info) { return std::string(info.param.ref); });

}  // namespace
}  // namespace tamrel::test
