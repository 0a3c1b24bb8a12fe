// velmora: turns a tree of photos into processed copies, thumbnails and a web gallery.
#include "app/startup.h"

int main(int argc, char** argv) { return velmora::RunProgram(argc, argv); }
