#include <filesystem>

int main(int argc, char** argv) {
    if (argc == 4) {
        std::filesystem::create_directories(argv[3]);
    }
    return 0;
}
