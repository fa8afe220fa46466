// Reading the command line: each option with its value, checked before anything is opened.
#include "DemoOptions.h"

#include <functional>
#include <map>

#include "platform/Platform.h"

namespace kel::demo {

namespace {

int PositiveNumber(const std::string& Option, const std::string& Text, int Min) {
  int value = 0;
  if (!TryStrToInt(Text, value) || value < Min)
    throw EDemoUsage(Option + " needs a whole number of at least " + std::to_string(Min) + ", not '" + Text + "'");
  return value;
}

std::string StyleList() {
  std::string list;
  for (const String& name : TStyleManager::StyleNames()) list += (list.empty() ? "'" : ", '") + name + "'";
  return list;
}

std::string CheckedStyle(const std::string& Name) {
  if (!TStyleManager::StyleExists(Name))
    throw EDemoUsage("there is no style '" + Name + "'; the styles are " + StyleList());
  return Name;
}

using TValueSetter = std::function<void(TDemoOptions&, const std::string& Option, const std::string& Value)>;

const std::map<std::string, TValueSetter>& ValueOptions() {
  static const std::map<std::string, TValueSetter> options = {
      {"--db", [](TDemoOptions& o, const std::string&, const std::string& v) { o.DatabasePath = v; }},
      {"--rows", [](TDemoOptions& o, const std::string& n, const std::string& v) { o.Rows = PositiveNumber(n, v, 1); }},
      {"--style", [](TDemoOptions& o, const std::string&, const std::string& v) { o.Style = CheckedStyle(v); }},
      {"--screenshot", [](TDemoOptions& o, const std::string&, const std::string& v) { o.Screenshot = v; }},
      {"--quit-after",
       [](TDemoOptions& o, const std::string& n, const std::string& v) { o.QuitAfter = PositiveNumber(n, v, 1); }},
  };
  return options;
}

}  // namespace

TDemoOptions ParseDemoOptions(const std::vector<std::string>& Arguments) {
  TDemoOptions options;
  for (std::size_t i = 0; i < Arguments.size(); ++i) {
    const std::string& argument = Arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.Help = true;
      continue;
    }
    // Both "--rows 500" and "--rows=500".
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const auto option = ValueOptions().find(name);
    if (option == ValueOptions().end()) throw EDemoUsage("unknown option '" + argument + "' (--help lists them)");
    std::string value;
    if (equals != std::string::npos)
      value = argument.substr(equals + 1);
    else if (i + 1 < Arguments.size())
      value = Arguments[++i];
    else
      throw EDemoUsage(name + " needs a value");
    if (value.empty()) throw EDemoUsage(name + " needs a value");
    option->second(options, name, value);
  }
  return options;
}

std::string DemoUsage() {
  return "Usage: kelgrid-demo [options]\n"
         "\n"
         "Shows a database of orders in the data-aware grid: banded titles, an auto-number column,\n"
         "a customer looked up by its id, a check-box column, striped rows and a footer of totals\n"
         "computed by SQL. Edits are written back to the database.\n"
         "\n"
         "Options:\n"
         "  --db PATH          database file (default: $XDG_DATA_HOME/kelgrid-demo/orders.db,\n"
         "                     else ~/.local/share/kelgrid-demo/orders.db); made on first run\n"
         "  --rows N           orders in the sample database (default 100000); a file made with\n"
         "                     another count is made again\n"
         "  --style NAME       look to start with: " + StyleList() + "\n"
         "  --screenshot FILE  paint the window headless into a PNG file, print its path and exit\n"
         "                     (without a display this happens anyway, into the temp folder)\n"
         "  --quit-after MS    close the live window by itself after MS milliseconds\n"
         "  --help             print this text\n";
}

}  // namespace kel::demo
