// Encodes the application's window with the form description writer and writes it as a C++ source file that
// defines the byte array the program image embeds:   formgen <output.cpp>
#include <cstdio>
#include <fstream>

#include "app/main_window_form.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: formgen <output.cpp>\n");
    return 2;
  }
  const quarrow::Bytes stream = quarrow::forms::WriteFormDescription(quarrow::app::MainWindowForm());
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << "// Written by formgen from app/main_window_form.cpp; do not edit.\n";
  out << "#include \"app/main_window_form_data.h\"\n\n";
  out << "namespace quarrow::app {\n\n";
  out << "const std::size_t kMainWindowFormSize = " << stream.size() << ";\n";
  out << "alignas(4) const unsigned char kMainWindowFormData[" << stream.size() << "] = {";
  for (std::size_t i = 0; i < stream.size(); ++i) {
    if (i % 16 == 0) out << "\n   ";
    char byte[8];
    std::snprintf(byte, sizeof byte, " 0x%02X,", stream[i]);
    out << byte;
  }
  out << "\n};\n\n}  // namespace quarrow::app\n";
  return out.good() ? 0 : 1;
}
