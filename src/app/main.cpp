#include "host/app.h"

int main(int argc, char** argv) { return host::RunApplication(argc, argv); }
