#include "window/command_line.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

namespace orvanto {
namespace {

constexpr const char* kUsage = "用法：orvanto [-h | --help] [--version] [Qt 的窗口选项]";

constexpr const char* kHelp =
    "orvanto —— 经纬度距离角度计算器\n"
    "\n"
    "用法：orvanto [选项]\n"
    "  打开计算器窗口：输入点Ⅰ、点Ⅱ和参考点的经纬度，计算两点距离和三点夹角。\n"
    "  坐标的写法见窗口中的说明或 orvanto-cli --help；命令行版本是 orvanto-cli。\n"
    "\n"
    "选项：\n"
    "  -h, --help      显示本说明\n"
    "  --version       显示版本\n"
    "  Qt 的窗口选项照常可用，如 -display :1、-platform wayland。\n"
    "\n"
    "退出状态：0 窗口已关闭；1 无法打开显示；2 用法错误。\n";

// Qt's own options, which QApplication takes out of the arguments afterwards; they are no error
// here.
constexpr const char* kQtOptionsWithValue[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "qwindowicon",
    "qwindowtitle",
    "display",
    "geometry",
    "style",
    "stylesheet",
    "session",
    "name",
    "title",
    "qmljsdebugger",
};
constexpr const char* kQtFlags[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

// The argument in which the parser found the option `name`, as the user typed it ("--foo=1").
QString asTyped(const QStringList& arguments, const QString& name) {
    for (const QString& argument : arguments) {
        QString bare = argument.section(QLatin1Char('='), 0, 0);
        while (bare.startsWith(QLatin1Char('-'))) {
            bare.remove(0, 1);
        }
        if (bare == name) {
            return argument;
        }
    }
    return name;
}

int remind(const QString& what) {
    std::fprintf(stderr, "orvanto：%s。%s\n", qUtf8Printable(what), kUsage);
    return 2;
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    // Qt's options are written with one dash ("-display :1"), and so may ours be.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")}};
    const QCommandLineOption version{QStringLiteral("version")};
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : kQtOptionsWithValue) {
        parser.addOption({QString::fromLatin1(name), QString{}, QStringLiteral("value")});
    }
    for (const char* name : kQtFlags) {
        parser.addOption(QCommandLineOption{QString::fromLatin1(name)});
    }
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        // A value can only be missing after the last argument.
        return unknown.isEmpty() ? remind(QStringLiteral("选项“%1”缺少值").arg(arguments.last()))
                                 : remind(QStringLiteral("无法识别的选项“%1”")
                                              .arg(asTyped(arguments, unknown.first())));
    }
    if (parser.isSet(help)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("orvanto %s\n", ORVANTO_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return remind(QStringLiteral("不接受参数“%1”").arg(parser.positionalArguments().first()));
    }
    return std::nullopt;
}

}  // namespace orvanto
