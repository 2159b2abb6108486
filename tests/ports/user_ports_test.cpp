#include "ports/user_ports.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

#include "ports/com_ports.h"
#include "temp_dir.h"

namespace kx14 {
namespace {

namespace fs = std::filesystem;

class Registration : public ::testing::Test {
 protected:
  testing::TempDir temp_;
  fs::path portsDir_ = temp_.path() / "a" / "b" / "ports";
};

TEST_F(Registration, CreatesPrivateDirectoriesAndTheLink) {
  RegisterUserPort(portsDir_, "COM4", "/dev/null");
  EXPECT_EQ(fs::read_symlink(portsDir_ / "COM4"), fs::path("/dev/null"));
  for (const fs::path& dir : {temp_.path() / "a", temp_.path() / "a" / "b", portsDir_}) {
    struct stat info {};
    ASSERT_EQ(::stat(dir.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << dir;
  }
  EXPECT_EQ(ResolveComPort(4, {portsDir_, temp_.path() / "sys"}), portsDir_ / "COM4");
}

TEST_F(Registration, TakenNameFailsAndKeepsTheEntry) {
  RegisterUserPort(portsDir_, "COM1", "/dev/null");
  try {
    RegisterUserPort(portsDir_, "COM1", "/dev/zero");
    FAIL() << "registered twice";
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code(), std::errc::file_exists);
  }
  EXPECT_EQ(fs::read_symlink(portsDir_ / "COM1"), fs::path("/dev/null"));
}

TEST_F(Registration, RejectsNamesThatAreNotOneEntry) {
  for (const char* name : {"", ".", "..", "a/COM1", "../COM1"}) {
    EXPECT_THROW(RegisterUserPort(portsDir_, name, "/dev/null"), std::invalid_argument) << name;
  }
  EXPECT_FALSE(UnregisterUserPort(portsDir_, "..", "/dev/null"));
}

TEST_F(Registration, PortsPathThatIsAFileFails) {
  fs::create_directories(portsDir_.parent_path());
  std::ofstream(portsDir_) << "x";
  EXPECT_THROW(RegisterUserPort(portsDir_, "COM1", "/dev/null"), std::system_error);
}

TEST_F(Registration, UnregisterRemovesOnlyItsOwnLink) {
  RegisterUserPort(portsDir_, "COM2", "/dev/null");
  EXPECT_FALSE(UnregisterUserPort(portsDir_, "COM2", "/dev/zero"));
  EXPECT_TRUE(fs::is_symlink(portsDir_ / "COM2"));
  EXPECT_TRUE(UnregisterUserPort(portsDir_, "COM2", "/dev/null"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(portsDir_ / "COM2")));
  EXPECT_FALSE(UnregisterUserPort(portsDir_, "COM2", "/dev/null"));
}

TEST_F(Registration, UnregisterLeavesARegularFileOfThatName) {
  fs::create_directories(portsDir_);
  std::ofstream(portsDir_ / "COM3") << "/dev/null";
  EXPECT_FALSE(UnregisterUserPort(portsDir_, "COM3", "/dev/null"));
  EXPECT_TRUE(fs::is_regular_file(portsDir_ / "COM3"));
}

// Sets or unsets an environment variable for one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DefaultPortSources, FollowsXdgConfigHome) {
  ScopedEnv xdg("XDG_CONFIG_HOME", "/x/config");
  EXPECT_EQ(DefaultPortSources().portsDir, fs::path("/x/config/kx14-manager/ports"));
  EXPECT_EQ(DefaultPortSources().sysfsRoot, fs::path("/sys"));
}

TEST(DefaultPortSources, IgnoresRelativeXdgConfigHome) {
  ScopedEnv xdg("XDG_CONFIG_HOME", "relative/config");
  ScopedEnv home("HOME", "/home/someone");
  EXPECT_EQ(DefaultPortSources().portsDir, fs::path("/home/someone/.config/kx14-manager/ports"));
}

TEST(DefaultPortSources, FallsBackToThePasswordDatabase) {
  ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
  ScopedEnv home("HOME", "");
  const fs::path dir = DefaultPortSources().portsDir;
  EXPECT_TRUE(dir.is_absolute()) << dir;
  EXPECT_EQ(dir.filename(), "ports");
}

struct DirectoryCase {
  const char* xdg;
  const char* home;
  const char* passwordHome;
  const char* expected;  // "": no user ports directory
};

TEST(UserPortsDirectory, NeedsAnAbsoluteBaseOrThereIsNone) {
  const DirectoryCase cases[] = {
      {"/x", "/h", "/p", "/x/kx14-manager/ports"},
      {"rel", "/h", "/p", "/h/.config/kx14-manager/ports"},
      {"", "", "/p", "/p/.config/kx14-manager/ports"},
      {"", "", "", ""},
      {"rel", "", "", ""},
      {"", "relative-home", "", ""},
      {"", "", "relative-entry", ""},
  };
  for (const DirectoryCase& c : cases) {
    EXPECT_EQ(UserPortsDirectory(c.xdg, c.home, c.passwordHome), fs::path(c.expected))
        << "XDG_CONFIG_HOME '" << c.xdg << "' HOME '" << c.home << "' entry '" << c.passwordHome
        << "'";
  }
}

// With no user ports directory, a COM3 in the working directory is no port,
// and registering refuses with a message that says why.
TEST_F(Registration, NoUserPortsDirectoryMeansNoUserPorts) {
  const fs::path workingDir = fs::current_path();
  fs::current_path(temp_.path());
  fs::create_symlink("/dev/null", "COM1");
  const PortSources none{"", temp_.path() / "no-sysfs"};
  EXPECT_TRUE(ListComPorts(none).empty());
  EXPECT_EQ(FirstFreeComNumber(none), 1);
  try {
    RegisterUserPort("", "COM2", "/dev/null");
    ADD_FAILURE() << "registered without a ports directory";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("no user ports directory"), std::string::npos)
        << error.what();
  }
  EXPECT_FALSE(fs::exists(temp_.path() / "COM2"));
  fs::current_path(workingDir);
}

}  // namespace
}  // namespace kx14
