// The about box's texts, keys, the registry reading rules and the system-information launch.
#include "ui/about_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <stdexcept>
#include <vector>

#include "ui/registry.h"
#include "ui/version.h"

namespace corvane {
namespace {

// A registry held in memory that records how it is called.
class FakeRegistry : public RegistryApi {
 public:
  struct Value {
    std::uint32_t type;
    std::string bytes;
    std::uint32_t reported_size;  // what the query reports as stored
  };
  std::map<std::string, std::map<std::string, Value>> keys;  // key name -> values
  std::vector<std::uint32_t> access_masks;
  std::vector<std::uint32_t> buffer_sizes;
  int opened = 0;
  int closed = 0;

  void Put(const std::string& key, const std::string& name, std::uint32_t type,
           const std::string& bytes) {
    keys[key][name] = Value{type, bytes, static_cast<std::uint32_t>(bytes.size())};
  }

  bool Open_Key(RegistryRoot root, std::string_view sub_key, std::uint32_t access,
                Key* key) override {
    access_masks.push_back(access);
    if (root != RegistryRoot::LocalMachine) return false;
    auto it = keys.find(std::string(sub_key));
    if (it == keys.end()) return false;
    ++opened;
    *key = reinterpret_cast<Key>(&it->second);
    return true;
  }
  bool Query_Value(Key key, std::string_view name, std::uint32_t* type, char* data,
                   std::uint32_t* size) override {
    buffer_sizes.push_back(*size);
    auto& values = *reinterpret_cast<std::map<std::string, Value>*>(key);
    auto it = values.find(std::string(name));
    if (it == values.end()) return false;
    for (std::uint32_t i = 0; i < *size; ++i) EXPECT_EQ(data[i], '\0') << "buffer not blank";
    std::memcpy(data, it->second.bytes.data(),
                std::min<std::size_t>(it->second.bytes.size(), *size));
    *type = it->second.type;
    *size = it->second.reported_size;
    return true;
  }
  void Close_Key(Key) override { ++closed; }
};

std::string Dword(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

class FakeLauncher : public ProgramLauncher {
 public:
  std::vector<std::string> existing;
  std::vector<std::string> asked;
  std::vector<std::string> started;
  bool start_works = true;
  bool File_Exists(const std::string& path) override {
    asked.push_back(path);
    return std::find(existing.begin(), existing.end(), path) != existing.end();
  }
  bool Start(const std::string& path) override {
    started.push_back(path);
    return start_works;
  }
};

TEST(VersionTest, LabelUsesMajorMinorAndRevision) {
  EXPECT_EQ(Version_Label(Parse_Version("1.0.0.1")), "Version 1.0.1");
  EXPECT_EQ(Version_Label(Parse_Version("3.0.0.1")), "Version 3.0.1");
  EXPECT_EQ(Version_Label(Parse_Version("2.5.7.12")), "Version 2.5.12");
  const ProgramVersion v = Parse_Version("4.3.2.1");
  EXPECT_EQ(v.major, 4);
  EXPECT_EQ(v.minor, 3);
  EXPECT_EQ(v.build, 2);
  EXPECT_EQ(v.revision, 1);
  // Missing or unreadable parts count as 0.
  EXPECT_EQ(Version_Label(Parse_Version("2.1")), "Version 2.1.0");
  EXPECT_EQ(Version_Label(Parse_Version("x.1.0.y")), "Version 0.1.0");
  EXPECT_EQ(Version_Label(Parse_Version("")), "Version 0.0.0");
}

TEST(AboutModelTest, TextsSetAtLoad) {
  AboutModel m("3.0.0.1", "Windows version: ? ");
  EXPECT_EQ(m.caption(), "\u00c0 propos de Corvane");
  EXPECT_EQ(m.title(), "Corvane");
  EXPECT_EQ(m.version_label(), "Version 3.0.1");
  EXPECT_EQ(m.description(), "For use with Brannock hardware");
  EXPECT_EQ(m.second_description(), "or with Dravik hardware (Tessel)");
  EXPECT_EQ(m.system_text(), "Windows version: ? ");
  EXPECT_EQ(m.sysinfo_caption(), "&Infos syst\u00e8me...");
  EXPECT_FALSE(m.disclaimer().empty());
  EXPECT_TRUE(AboutModel::Closes_On_Key(kKeyReturn));
  EXPECT_TRUE(AboutModel::Closes_On_Key(kKeyEscape));
  EXPECT_FALSE(AboutModel::Closes_On_Key(kKeyTab));
  EXPECT_FALSE(AboutModel::Closes_On_Key(' '));
}

TEST(GetKeyValueTest, StringLosesOnlyItsTerminator) {
  FakeRegistry reg;
  reg.Put("K", "with_nul", kRegSz, std::string("C:\\TOOLS\0", 9));
  reg.Put("K", "without_nul", kRegSz, "C:\\TOOLS");
  reg.Put("K", "empty", kRegSz, std::string("\0", 1));
  std::string v = "old";
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "with_nul", &v));
  EXPECT_EQ(v, "C:\\TOOLS");
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "without_nul", &v));
  EXPECT_EQ(v, "C:\\TOOLS");
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "empty", &v));
  EXPECT_EQ(v, "");
  // Every call opened the key with the full access mask, read into a 1024-character buffer and
  // closed the key again.
  for (auto mask : reg.access_masks) EXPECT_EQ(mask, 0x2003Fu);
  for (auto size : reg.buffer_sizes) EXPECT_EQ(size, 1024u);
  EXPECT_EQ(reg.opened, 3);
  EXPECT_EQ(reg.closed, 3);
}

TEST(GetKeyValueTest, DwordIsSignedDecimal) {
  FakeRegistry reg;
  reg.Put("K", "small", kRegDword, Dword(5));
  reg.Put("K", "big", kRegDword, Dword(0x01020304));
  reg.Put("K", "negative", kRegDword, Dword(0xFFFFFFFE));
  reg.Put("K", "zero", kRegDword, Dword(0));
  reg.Put("K", "high_bit_only", kRegDword, Dword(0x80000000u));
  std::string v;
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "small", &v));
  EXPECT_EQ(v, "5");
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "big", &v));
  EXPECT_EQ(v, "16909060");
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "negative", &v));
  EXPECT_EQ(v, "-2");
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "zero", &v));
  EXPECT_EQ(v, "0");
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "high_bit_only", &v));
  EXPECT_EQ(v, "-2147483648");
}

TEST(GetKeyValueTest, OtherTypesKeepTheCallersValue) {
  FakeRegistry reg;
  reg.Put("K", "binary", 3, "\x01\x02");
  reg.Put("K", "expand", 2, std::string("%WINDIR%\0", 9));
  std::string v = "kept";
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "binary", &v));
  EXPECT_EQ(v, "kept");
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "expand", &v));
  EXPECT_EQ(v, "kept");
  EXPECT_EQ(reg.closed, 2);
}

TEST(GetKeyValueTest, FailuresEmptyTheValue) {
  FakeRegistry reg;
  reg.Put("K", "x", kRegSz, "y");
  std::string v = "old";
  EXPECT_FALSE(GetKeyValue(reg, RegistryRoot::LocalMachine, "missing", "x", &v));
  EXPECT_EQ(v, "");
  EXPECT_EQ(reg.closed, 0);  // nothing was opened
  v = "old";
  EXPECT_FALSE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "missing", &v));
  EXPECT_EQ(v, "");
  EXPECT_EQ(reg.closed, 1);  // the opened key is closed again
  v = "old";
  EXPECT_FALSE(GetKeyValue(reg, RegistryRoot::CurrentUser, "K", "x", &v));
  EXPECT_EQ(v, "");

  NoRegistry none;
  v = "old";
  EXPECT_FALSE(GetKeyValue(none, RegistryRoot::LocalMachine, kMsinfoKey, kMsinfoValue, &v));
  EXPECT_EQ(v, "");
}

TEST(GetKeyValueTest, OversizedAnswerIsCutToTheBuffer) {
  FakeRegistry reg;
  reg.Put("K", "long", kRegSz, std::string(1024, 'a'));
  reg.keys["K"]["long"].reported_size = 5000;  // more than the buffer could hold
  std::string v;
  EXPECT_TRUE(GetKeyValue(reg, RegistryRoot::LocalMachine, "K", "long", &v));
  EXPECT_EQ(v, std::string(1024, 'a'));
}

struct SysInfoRun {
  bool started;
  std::vector<std::string> boxes;
};

SysInfoRun Run_SysInfo(RegistryApi& reg, FakeLauncher& launcher) {
  SysInfoRun run{};
  run.started =
      StartSysInfo(reg, launcher, [&](std::string_view text) { run.boxes.emplace_back(text); });
  return run;
}

TEST(StartSysInfoTest, WithoutARegistryItEndsInTheMessageBox) {
  NoRegistry reg;
  FakeLauncher launcher;
  const SysInfoRun run = Run_SysInfo(reg, launcher);
  EXPECT_FALSE(run.started);
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0], "Les informations syst\u00e8me ne sont pas disponibles actuellement");
  EXPECT_TRUE(launcher.started.empty());
}

TEST(StartSysInfoTest, ThePathEntryStartsTheToolDirectly) {
  FakeRegistry reg;
  reg.Put(std::string(kMsinfoKey), "PATH", kRegSz, std::string("C:\\MSINFO\\MSINFO32.EXE\0", 23));
  FakeLauncher launcher;
  const SysInfoRun run = Run_SysInfo(reg, launcher);
  EXPECT_TRUE(run.started);
  EXPECT_TRUE(run.boxes.empty());
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0], "C:\\MSINFO\\MSINFO32.EXE");
  EXPECT_TRUE(launcher.asked.empty());  // the full path is trusted as given
}

TEST(StartSysInfoTest, TheDirectoryEntryNeedsTheToolInIt) {
  FakeRegistry reg;
  reg.Put(std::string(kToolsLocationKey), "MSINFO", kRegSz, std::string("C:\\SHARED\0", 10));
  FakeLauncher launcher;
  SysInfoRun run = Run_SysInfo(reg, launcher);
  EXPECT_FALSE(run.started);
  EXPECT_EQ(run.boxes.size(), 1u);
  ASSERT_EQ(launcher.asked.size(), 1u);
  EXPECT_EQ(launcher.asked[0], "C:\\SHARED\\MSINFO32.EXE");
  EXPECT_TRUE(launcher.started.empty());  // no attempt to start anything

  launcher.existing.push_back("C:\\SHARED\\MSINFO32.EXE");
  run = Run_SysInfo(reg, launcher);
  EXPECT_TRUE(run.started);
  EXPECT_TRUE(run.boxes.empty());
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0], "C:\\SHARED\\MSINFO32.EXE");
}

TEST(StartSysInfoTest, AToolThatWillNotStartGivesTheMessageBox) {
  FakeRegistry reg;
  reg.Put(std::string(kMsinfoKey), "PATH", kRegSz, "C:\\GONE.EXE");
  FakeLauncher launcher;
  launcher.start_works = false;
  SysInfoRun run = Run_SysInfo(reg, launcher);
  EXPECT_FALSE(run.started);
  EXPECT_EQ(run.boxes.size(), 1u);

  // A launcher that throws is a failure like any other.
  class Throwing : public FakeLauncher {
    bool Start(const std::string&) override { throw std::runtime_error("no process"); }
  } throwing;
  run = Run_SysInfo(reg, throwing);
  EXPECT_FALSE(run.started);
  EXPECT_EQ(run.boxes.size(), 1u);
}

}  // namespace
}  // namespace corvane
