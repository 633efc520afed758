/* Reports registry keys, values and top-level windows in one process:
       probe.exe CHECK...   with CHECK one of
         key HKLM|HKCU SUBKEY
         value HKLM|HKCU SUBKEY NAME
         window CLASS
   Each check prints its own words followed by "present" or "absent". */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static HKEY root_key(const char *name)
{
    if (!strcmp(name, "HKLM")) return HKEY_LOCAL_MACHINE;
    if (!strcmp(name, "HKCU")) return HKEY_CURRENT_USER;
    return NULL;
}

static int key_present(HKEY root, const char *subkey)
{
    HKEY key;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    RegCloseKey(key);
    return 1;
}

static int value_present(HKEY root, const char *subkey, const char *name)
{
    HKEY key;
    LONG rc;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    rc = RegQueryValueExA(key, name, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

static void report(char **words, int count, int present)
{
    int i;
    for (i = 0; i < count; i++)
        printf("%s ", words[i]);
    printf("%s\n", present ? "present" : "absent");
}

int main(int argc, char **argv)
{
    int i = 1;
    while (i < argc) {
        if (!strcmp(argv[i], "key") && i + 2 < argc && root_key(argv[i + 1])) {
            report(argv + i, 3, key_present(root_key(argv[i + 1]), argv[i + 2]));
            i += 3;
        } else if (!strcmp(argv[i], "value") && i + 3 < argc && root_key(argv[i + 1])) {
            report(argv + i, 4, value_present(root_key(argv[i + 1]), argv[i + 2], argv[i + 3]));
            i += 4;
        } else if (!strcmp(argv[i], "window") && i + 1 < argc) {
            report(argv + i, 2, FindWindowA(argv[i + 1], NULL) != NULL);
            i += 2;
        } else {
            fprintf(stderr, "probe: bad check at \"%s\"\n", argv[i]);
            return 2;
        }
    }
    fflush(stdout);
    return 0;
}
