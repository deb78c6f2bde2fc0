#include <QApplication>

#include "engine/core/random_table.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  engine::InitRandomTable();
  return 0;
}
