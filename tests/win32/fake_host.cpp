// Stands in for the host program in the folder the plug-in searches: only its version resource
// (fake_host.rc) matters, it is never run.
int main() { return 0; }
