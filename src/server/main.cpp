// zorvweb: the web application server. Runs in the foreground by default;
// --daemon and --pidfile detach it on Unix.
#include "data/Tdmdata.h"
#include "data/db/FirebirdRoot.h"
#include "server/TIWServerController.h"

#include <Poco/Util/HelpFormatter.h>
#include <Poco/Util/Option.h>
#include <Poco/Util/OptionSet.h>
#include <Poco/Util/ServerApplication.h>

#include <malloc.h>

#include <filesystem>
#include <iostream>

namespace {

/// Blocks from this size on are mapped from the system one by one.
constexpr int kLargeBlockBytes = 1 << 20;

class ZorvWebApplication : public Poco::Util::ServerApplication {
protected:
    void defineOptions(Poco::Util::OptionSet& options) override
    {
        ServerApplication::defineOptions(options);
        using Poco::Util::Option;
        options.addOption(Option("home", "", "installation home (program folder); default: the executable's folder")
                              .argument("DIR")
                              .callback(Poco::Util::OptionCallback<ZorvWebApplication>(this, &ZorvWebApplication::setHome)));
        options.addOption(Option("assets", "", "folder of the style sheets, scripts and images")
                              .argument("DIR")
                              .callback(Poco::Util::OptionCallback<ZorvWebApplication>(this, &ZorvWebApplication::setAssets)));
        options.addOption(Option("port", "", "listen on this port instead of [web] port (0: any free port)")
                              .argument("N")
                              .callback(Poco::Util::OptionCallback<ZorvWebApplication>(this, &ZorvWebApplication::setPort)));
        options.addOption(Option("help", "h", "show this help")
                              .callback(Poco::Util::OptionCallback<ZorvWebApplication>(this, &ZorvWebApplication::showHelp)));
    }

    int main(const std::vector<std::string>&) override
    {
        if (helpShown_)
            return EXIT_OK;
        // Keep large blocks (a password hash takes 20 MiB while it runs) out
        // of the heap, so that they go back to the system when freed instead
        // of staying with each worker thread's arena.
        mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
        zorv::server::ControllerOptions options;
        options.home = home_.empty() ? executableFolder() : std::filesystem::absolute(home_);
        options.assetsDir = assets_.empty() ? defaultAssets() : std::filesystem::absolute(assets_);
        options.portOverride = port_;
        const auto home = options.home;
        try {
            // The server, isql-fb and zorvweb-admin share the installation's
            // Firebird root and lock folder, so they can open the same files.
            zorv::db::FirebirdRoot::prepare(home / "firebird" / "root", home / "firebird" / "lock");
        } catch (const std::exception& e) {
            std::cerr << "zorvweb: " << e.what() << '\n';
            return EXIT_SOFTWARE;
        }
        options.createDataModule = [home] { return zorv::data::Tdmdata::create(home); };
        zorv::server::TIWServerController controller(std::move(options));
        try {
            controller.IWServerControllerBaseCreate();
        } catch (const std::exception& e) {
            std::cerr << "zorvweb: " << e.what() << '\n';
            return EXIT_SOFTWARE;
        }
        std::cout << "ZorvWeb listening on port " << controller.port() << std::endl;
        waitForTerminationRequest();
        controller.IWServerControllerBaseDestroy();
        zorv::db::FirebirdRoot::shutdown();
        return EXIT_OK;
    }

private:
    void setHome(const std::string&, const std::string& value) { home_ = value; }
    void setAssets(const std::string&, const std::string& value) { assets_ = value; }
    void setPort(const std::string&, const std::string& value) { port_ = std::stoi(value); }
    void showHelp(const std::string&, const std::string&)
    {
        Poco::Util::HelpFormatter help(options());
        help.setCommand(commandName());
        help.setUsage("[--home DIR] [--assets DIR] [--port N] [--daemon --pidfile FILE]");
        help.setHeader("ZorvWeb: the web application server.");
        help.format(std::cout);
        helpShown_ = true;
        stopOptionsProcessing();
    }

    std::filesystem::path executableFolder() const
    {
        return std::filesystem::path(config().getString("application.dir", "."));
    }

    std::filesystem::path defaultAssets() const
    {
        auto beside = executableFolder() / "assets";
        if (std::filesystem::is_directory(beside))
            return beside;
        return ZORV_SOURCE_ASSETS;
    }

    std::string home_;
    std::string assets_;
    std::optional<int> port_;
    bool helpShown_ = false;
};

} // namespace

POCO_SERVER_MAIN(ZorvWebApplication)
