#include "core/config/command_line.h"

namespace quellix {

namespace {

std::string UpperCaseAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "/?" || argument == "-h" || argument == "-?") {
            // What Windows users type for help, and the short form.
            line.help = true;
        } else if (!argument.starts_with("--")) {
            rest.push_back(argument);
        } else if (argument == "--help") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else if (argument == "--service") {
            line.service = true;
        } else if (argument == "--install-service") {
            line.installService = "automatic";
        } else if (argument.starts_with("--install-service=")) {
            line.installService = argument.substr(18);
        } else if (argument == "--dry-run") {
            line.dryRun = true;
        } else if (argument == "--undo-last") {
            line.undoLast = true;
        } else if (argument == "--json") {
            line.json = true;
        } else if (argument == "--uninstall-service") {
            line.uninstallService = true;
        } else if (argument.starts_with("--ini=")) {
            line.iniPath = argument.substr(6);
        } else if (argument == "--ini" && i + 1 < arguments.size()) {
            line.iniPath = arguments[++i];
        } else if (argument == "--ini") {
            line.error = "option --ini needs a file path";
        } else if (line.error.empty()) {
            line.error = "unknown option " + argument;
        }
    }
    if (line.iniPath && line.iniPath->empty() && line.error.empty()) {
        line.error = "option --ini needs a file path";
    }
    if (line.json && !line.dryRun && line.error.empty()) {
        line.error = "option --json goes with --dry-run";
    }
    for (const std::string& argument : rest) {
        if (!line.upperCased.empty()) {
            line.upperCased += ' ';
        }
        line.upperCased += UpperCaseAscii(argument);
    }
    line.runOnce = line.upperCased.find("-C") != std::string::npos;
    return line;
}

std::string UsageText(HostSystem system) {
    std::string text =
        "Usage: quellix [-C | --dry-run [--json] | --undo-last | --service |\n"
        "                --install-service[=TYPE] | --uninstall-service] [--ini=FILE]\n"
        "                [--help] [--version]\n"
        "Purges obsolete files from the folders of its configuration file.\n"
        "\n"
        "  -C            one-shot run without a window: load, count, start the purge\n"
        "                (at once with immediate purge and automatic start), then end\n"
        "  --dry-run     show what a purge of every folder of the list would do now, one\n"
        "                line per file, then the totals; nothing is changed (no file,\n"
        "                trash, log, setting or statistic is written)\n"
        "  --json        with --dry-run: one JSON object per line, for scripts\n"
        "  --undo-last   put back where they were the files the last purge moved or sent\n"
        "                to the trash (never replacing anything; deleted files cannot\n"
        "                come back), and remove the shortcuts it left\n";
    if (system == HostSystem::Windows) {
        text +=
            "  --service     run as the Windows service: started by the service manager, it\n"
            "                purges on schedule until stopped (Services stops, pauses and\n"
            "                continues it); it is not typed in a console\n"
            "  --install-service[=TYPE]\n"
            "                register the service \"Quellix Service\" running --service on this\n"
            "                configuration file (as an administrator), with its entries in the\n"
            "                Application event log; TYPE: automatic (default), manual or\n"
            "                disabled\n"
            "  --uninstall-service\n"
            "                stop and remove that service\n"
            "  --ini=FILE    use FILE as the configuration file instead of this copy's own:\n"
            "                Quellix.ini beside quellix.exe for a portable copy, else\n"
            "                %APPDATA%\\quellix\\Quellix.ini\n"
            "  --help, -h, /?\n"
            "                show this help and end\n";
    } else {
        text +=
            "  --service     run as the system service: purge on schedule until stopped\n"
            "                (SIGTERM stops, SIGUSR1 pauses, SIGUSR2 continues)\n"
            "  --install-service[=TYPE]\n"
            "                register the systemd unit \"Quellix Service\" running --service on\n"
            "                this configuration file (system-wide as root, else a user unit);\n"
            "                TYPE: automatic (default, enabled), manual or disabled\n"
            "  --uninstall-service\n"
            "                stop, disable and remove that unit\n"
            "  --ini=FILE    use FILE as the configuration file instead of this copy's own:\n"
            "                Quellix.ini beside the executable for a portable copy, else\n"
            "                $XDG_CONFIG_HOME/quellix/Quellix.ini (~/.config/quellix)\n"
            "  --help        show this help and end\n";
    }
    text += "  --version     show the version and end\n";
    return text;
}

}  // namespace quellix
