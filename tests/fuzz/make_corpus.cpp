// Writes the seed blocks of the fuzz corpus: well-formed blocks of the shapes the lookup meets, and a few damaged.
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/unit/test_version_blocks.h"

int main(int argc, char** argv) {
  using namespace qz::testing;
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_corpus DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  auto write = [&](const char* name, const Bytes& b) {
    std::ofstream(dir + "/" + name, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                                           static_cast<std::streamsize>(b.size()));
  };
  const Bytes program = Serialize(ProgramVersionNode());
  write("program", program);
  write("program_truncated", Bytes(program.begin(), program.begin() + 300));
  write("english_unicode", VersionBlock(0x00040010, {0x04B00409}, u"4.16-en", u"040904B0"));
  write("two_translations", Serialize(Root(0x00040010, 0,
                                           {StringFileInfo({{u"041904E3", {{u"FileVersion", u"ru"}}},
                                                            {u"040904B0", {{u"FileVersion", u"en"}}}}),
                                            VarFileInfo({0x04B00409, kRussian1251})})));
  write("utf8_code_page", VersionBlock(0x00040010, {0xFDE90409}, u"4.16.0.0", u"0409FDE9"));
  write("empty_translation", VersionBlock(0x00040010, {}, u"4.16.0.0"));
  write("no_var_file_info",
        Serialize(Root(0x00040010, 0, {StringFileInfo({{u"041904E3", {{u"FileVersion", u"4.16.0.0"}}}})})));
  VersionNode textBeforeChildren = ProgramVersionNode();
  textBeforeChildren.children[0].value = Utf16z(u"abc");
  write("text_before_children", Serialize(textBeforeChildren));
  VersionNode lyingLength = ProgramVersionNode();
  lyingLength.children[0].children[0].children[2].valueLength = 0xFFFF;
  write("lying_value_length", Serialize(lyingLength));
  write("header_only", Bytes{6, 0, 0, 0, 0, 0});
  return 0;
}
