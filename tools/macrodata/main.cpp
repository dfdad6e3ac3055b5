// Writes the shipped macro files into a data folder:
//   pyxom_macrodata <repository>/data
#include <cstdio>

#include "ShippedMacros.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DATA_FOLDER\n", argv[0]);
    return 2;
  }
  if (!pyxom::macrodata::writeShippedFiles(argv[1])) {
    std::fprintf(stderr, "could not write every file under %s\n", argv[1]);
    return 1;
  }
  return 0;
}
