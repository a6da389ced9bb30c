#include "app/CommandLineOptions.h"

#include <QRegularExpression>
#include <QUrl>

#include <boost/program_options.hpp>

#include <cstring>
#include <sstream>
#include <vector>

namespace po = boost::program_options;

const char *const CommandLineOptions::defaultGameHost = "game.kestrova-mahjong.net";
const char *const CommandLineOptions::defaultWebHost = "www.kestrova-mahjong.net";

namespace {
po::options_description visibleOptions()
{
    po::options_description options("Options");
    // clang-format off
    options.add_options()
        ("help,h", "show this help and exit")
        ("host", po::value<std::string>(), "game server as host or host:port")
        ("httphost", po::value<std::string>(), "web host (server information, versions, pages)")
        ("user,u", po::value<std::string>(), "user name for the login page")
        ("password,p", po::value<std::string>(), "password for the login page")
        ("lang,l", po::value<std::string>(), "user-interface language (en, ja, zh_CN, zh_TW)")
        ("minloglevel,m", po::value<std::string>(),
         "lowest level logged: debug, warning, critical, fatal; "
         "anything else is a regular expression a log line must match")
        ("searchpath,s", po::value<std::string>(), "';'-separated resource directories searched first")
        ("nossl,n", "connect to the game server without TLS")
        ("serverinfo,S", po::value<std::string>(), "address of the server information file")
        ("install,i", "prepare the data files and exit");
    // clang-format on
    return options;
}

po::options_description hiddenOptions()
{
    po::options_description options;
    options.add_options()("debug,d", "open the debug window");
    return options;
}

QString text(const po::variables_map &vm, const char *name)
{
    return QString::fromStdString(vm[name].as<std::string>());
}
} // namespace

QString CommandLineOptions::helpText()
{
    std::ostringstream out;
    out << "Usage: mahjong [options] [host[:port]]\n" << visibleOptions();
    return QString::fromStdString(out.str());
}

void CommandLineOptions::splitHostPort(const QString &text, QString &host, quint16 &port)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(?:\[([0-9A-Fa-f:.]+)\]|([A-Za-z0-9._-]+))(?::([0-9]{1,5}))?$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        throw OptionsError("invalid host '" + text.toStdString() + "': expected host or host:port");
    host = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
    if (match.hasCaptured(3) && !match.captured(3).isEmpty()) {
        const uint value = match.captured(3).toUInt();
        if (value < 1 || value > 65535)
            throw OptionsError("invalid port in '" + text.toStdString() + "': expected 1 to 65535");
        port = quint16(value);
    }
}

void CommandLineOptions::erasePassword(int argc, char **argv, const QString &password)
{
    if (password.isEmpty() || argc < 2)
        return;
    // As the parser read it: "-p pw", "-ppw", "--password pw", "--password=pw"
    // or an abbreviation of the long name. Any argument that ends in the
    // password's bytes gets one star in their place, whatever their length.
    const QByteArray secret = password.toLocal8Bit();
    std::vector<QByteArray> texts;
    bool changed = false;
    for (int i = 0; i < argc; ++i) {
        QByteArray text(argv[i]);
        if (i > 0 && text.endsWith(secret)) {
            text.chop(secret.size());
            text += '*';
            changed = true;
        }
        texts.push_back(text);
    }
    if (!changed)
        return;
    // The system keeps the arguments one after the other; rewriting them as a
    // whole moves the later ones up, so that no gap tells the length.
    bool contiguous = true;
    for (int i = 0; i + 1 < argc; ++i)
        contiguous = contiguous && argv[i] + std::strlen(argv[i]) + 1 == argv[i + 1];
    if (contiguous) {
        char *area = argv[0];
        const size_t size = size_t(argv[argc - 1] + std::strlen(argv[argc - 1]) + 1 - area);
        size_t at = 0;
        for (int i = 0; i < argc; ++i) {
            std::memmove(area + at, texts[size_t(i)].constData(), size_t(texts[size_t(i)].size()) + 1);
            argv[i] = area + at;
            at += size_t(texts[size_t(i)].size()) + 1;
        }
        std::memset(area + at, 0, size - at);
        return;
    }
    for (int i = 1; i < argc; ++i) {
        const size_t length = std::strlen(argv[i]);
        const QByteArray &text = texts[size_t(i)];
        if (size_t(text.size()) == length && std::memcmp(argv[i], text.constData(), length) == 0)
            continue;
        std::memcpy(argv[i], text.constData(), size_t(text.size()));
        std::memset(argv[i] + text.size(), 0, length - size_t(text.size()) + 1);
    }
}

CommandLineOptions CommandLineOptions::parse(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return parse(arguments);
}

CommandLineOptions CommandLineOptions::parse(const QStringList &arguments)
{
    po::options_description all;
    all.add(visibleOptions()).add(hiddenOptions());
    po::positional_options_description positional;
    positional.add("host", 1);

    std::vector<std::string> args;
    args.reserve(size_t(arguments.size()));
    for (const QString &argument : arguments)
        args.push_back(argument.toStdString());

    po::variables_map vm;
    try {
        po::store(po::command_line_parser(args).options(all).positional(positional).run(), vm);
        po::notify(vm);
    } catch (const po::error &error) {
        throw OptionsError(error.what());
    }

    CommandLineOptions options;
    options.help = vm.count("help") > 0;
    if (vm.count("host"))
        splitHostPort(text(vm, "host"), options.host, options.port);
    if (vm.count("httphost")) {
        options.httpHost = text(vm, "httphost");
        // A web host may carry a port, but nothing else.
        QString host;
        quint16 port = 0;
        splitHostPort(options.httpHost, host, port);
    }
    if (vm.count("user"))
        options.user = text(vm, "user");
    if (vm.count("password"))
        options.password = text(vm, "password");
    if (vm.count("lang")) {
        options.language = text(vm, "lang");
        static const QRegularExpression code(QStringLiteral("^[A-Za-z]{2,3}([_-][A-Za-z]{2,4})?$"));
        if (!code.match(options.language).hasMatch())
            throw OptionsError("invalid language '" + options.language.toStdString() + "'");
    }
    if (vm.count("minloglevel")) {
        options.minLogLevel = text(vm, "minloglevel");
        const QRegularExpression expression(options.minLogLevel);
        if (!expression.isValid())
            throw OptionsError("invalid minloglevel '" + options.minLogLevel.toStdString()
                               + "': " + expression.errorString().toStdString());
    }
    if (vm.count("searchpath"))
        options.searchPaths = text(vm, "searchpath").split(QLatin1Char(';'), Qt::SkipEmptyParts);
    options.useSsl = vm.count("nossl") == 0;
    if (vm.count("serverinfo")) {
        options.serverInfoUrl = text(vm, "serverinfo");
        const QUrl url(options.serverInfoUrl, QUrl::StrictMode);
        if (!url.isValid() || url.scheme() != QLatin1String("https") || url.host().isEmpty())
            throw OptionsError("invalid serverinfo '" + options.serverInfoUrl.toStdString()
                               + "': expected an https:// address");
    }
    options.install = vm.count("install") > 0;
    options.debug = vm.count("debug") > 0;
    return options;
}
