int VelmoraMain(int argc, char** argv);

int main(int argc, char** argv) { return VelmoraMain(argc, argv); }
