int main() { return 0; }  // (to be written)
