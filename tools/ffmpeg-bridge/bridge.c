/*
 * ffmpeg.exe for Wine: a Winelib program that runs the system's
 * /usr/bin/ffmpeg in its place.
 *
 * A Windows program's pipe handles cannot reach a Linux process that Wine
 * starts for it, so this bridge is started instead (it is a real Windows
 * process to its caller), runs the Linux tool with its output on a Unix
 * pipe and relays everything to its own standard output. Drive paths in the
 * arguments and the working folder are translated to Unix paths; a concat
 * list given with "-f concat ... -i LIST" is rewritten to a translated copy.
 * The tool dies with the bridge (parent-death signal), so terminating the
 * bridge ends the conversion. The exit status is the tool's.
 *
 * Test and demo infrastructure only: on Windows the user places a real
 * ffmpeg.exe beside the program.
 */
#define _GNU_SOURCE /* pipe2 */
#include <windows.h>
#include <shellapi.h>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#define REAL_TOOL "/usr/bin/ffmpeg"

static int is_drive_path(const WCHAR *s)
{
    return s && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z')) && s[1] == ':' &&
           (s[2] == '\\' || s[2] == '/');
}

static char *to_utf8(const WCHAR *s)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, NULL, 0, NULL, NULL);
    char *out = malloc(n > 0 ? n : 1);
    if (n <= 0) { out[0] = 0; return out; }
    WideCharToMultiByte(CP_UTF8, 0, s, -1, out, n, NULL, NULL);
    return out;
}

static WCHAR *to_wide(const char *s)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, NULL, 0);
    WCHAR *out = malloc(sizeof(WCHAR) * (n > 0 ? n : 1));
    if (n <= 0) { out[0] = 0; return out; }
    MultiByteToWideChar(CP_UTF8, 0, s, -1, out, n);
    return out;
}

/* A drive path becomes its Unix path; anything else is only re-encoded. */
static char *translate_arg(const WCHAR *arg)
{
    if (is_drive_path(arg)) {
        char *unix_path = wine_get_unix_file_name(arg);
        if (unix_path) {
            char *copy = strdup(unix_path);
            HeapFree(GetProcessHeap(), 0, unix_path);
            return copy;
        }
    }
    return to_utf8(arg);
}

static char *translate_utf8_path(const char *path)
{
    WCHAR *wide = to_wide(path);
    char *out = is_drive_path(wide) ? translate_arg(wide) : strdup(path);
    free(wide);
    return out;
}

/* Reads a concat entry's value: 'quoted' (with '\'' for a quote) or bare. */
static char *concat_value(const char *p)
{
    size_t cap = strlen(p) + 1, n = 0;
    char *out = malloc(cap);
    while (*p == ' ' || *p == '\t') p++;
    if (*p != '\'') {
        strcpy(out, p);
        for (n = strlen(out); n > 0 && (out[n - 1] == ' ' || out[n - 1] == '\t'); n--) out[n - 1] = 0;
        return out;
    }
    for (p++; *p; p++) {
        if (*p == '\'') {
            if (strncmp(p, "'\\''", 4) == 0) { out[n++] = '\''; p += 3; continue; }
            break;
        }
        out[n++] = *p;
    }
    out[n] = 0;
    return out;
}

static void write_quoted(FILE *f, const char *value)
{
    fputs("file '", f);
    for (; *value; value++) {
        if (*value == '\'') fputs("'\\''", f); else fputc(*value, f);
    }
    fputs("'\n", f);
}

/* Writes a copy of the list with every "file" entry translated; returns the
 * copy's path (to delete afterwards) or NULL. */
static char *translate_concat_list(const char *list_path)
{
    static char copy_path[] = "/tmp/corvane-concat-XXXXXX";
    FILE *in = fopen(list_path, "rb");
    int fd;
    FILE *out;
    char line[8192];
    if (!in) return NULL;
    fd = mkstemp(copy_path);
    if (fd < 0) { fclose(in); return NULL; }
    out = fdopen(fd, "wb");
    while (fgets(line, sizeof line, in)) {
        char *p = line, *end;
        /* Lines may end in LF, CR LF or LF CR: drop every CR and LF. */
        while (*p == '\r' || *p == ' ' || *p == '\t') p++;
        end = p + strlen(p);
        while (end > p && (end[-1] == '\n' || end[-1] == '\r')) *--end = 0;
        if (strncmp(p, "file", 4) == 0 && (p[4] == ' ' || p[4] == '\t')) {
            char *value = concat_value(p + 4);
            char *unix_path = translate_utf8_path(value);
            if (unix_path[0] != '/') {
                /* Relative entries are relative to the list's own folder,
                 * which the copy in /tmp does not share. */
                const char *slash = strrchr(list_path, '/');
                size_t folder_len = slash ? (size_t)(slash - list_path + 1) : 0;
                char *joined = malloc(folder_len + strlen(unix_path) + 1);
                memcpy(joined, list_path, folder_len);
                strcpy(joined + folder_len, unix_path);
                free(unix_path);
                unix_path = joined;
            }
            write_quoted(out, unix_path);
            free(unix_path);
            free(value);
        } else {
            fprintf(out, "%s\n", p);
        }
    }
    fclose(in);
    fclose(out);
    return copy_path;
}

static void run_child(char **argv, const char *folder, int pipe_write, pid_t parent)
{
    sigset_t none;
    int devnull;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127); /* the bridge already died */
    /* Wine blocks and ignores signals that the tool needs by default. */
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, NULL);
    signal(SIGPIPE, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    devnull = open("/dev/null", O_RDONLY);
    if (devnull >= 0) dup2(devnull, 0);
    dup2(pipe_write, 1);
    dup2(pipe_write, 2);
    if (folder && *folder && chdir(folder) != 0) _exit(127);
    execv(REAL_TOOL, argv);
    _exit(127);
}

/* Relays the tool's output; false when our reader has gone away. */
static int relay(int pipe_read)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    char buffer[4096];
    for (;;) {
        ssize_t n = read(pipe_read, buffer, sizeof buffer);
        DWORD written = 0;
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return 1;
        if (out == NULL || out == INVALID_HANDLE_VALUE) continue;
        if (!WriteFile(out, buffer, (DWORD)n, &written, NULL)) return 0;
    }
}

int main(void)
{
    int argc = 0, i, concat_pending = 0, fds[2], status = 0;
    WCHAR **wargv = CommandLineToArgvW(GetCommandLineW(), &argc);
    WCHAR folder[MAX_PATH + 1];
    char **argv, *unix_folder = NULL, *list_copy = NULL;
    pid_t parent = getpid(), child;

    if (!wargv) return 127;
    /* The Windows current folder; the tool runs there. */
    if (GetCurrentDirectoryW(MAX_PATH, folder)) {
        char *p = wine_get_unix_file_name(folder);
        if (p) { unix_folder = strdup(p); HeapFree(GetProcessHeap(), 0, p); }
    }

    argv = calloc((size_t)argc + 1, sizeof *argv);
    argv[0] = REAL_TOOL;
    for (i = 1; i < argc; i++) {
        if (i + 1 < argc && lstrcmpW(wargv[i], L"-f") == 0 && lstrcmpW(wargv[i + 1], L"concat") == 0)
            concat_pending = 1;
        if (concat_pending && i + 1 < argc && lstrcmpW(wargv[i], L"-i") == 0) {
            char *list = translate_arg(wargv[i + 1]);
            if (list[0] != '/' && unix_folder) {
                /* A relative list name is relative to the current folder. */
                char *joined = malloc(strlen(unix_folder) + strlen(list) + 2);
                sprintf(joined, "%s/%s", unix_folder, list);
                free(list);
                list = joined;
            }
            list_copy = translate_concat_list(list);
            free(list);
            /* No "-safe 0" is added: like a real ffmpeg.exe, the tool
             * refuses absolute paths in a list unless the caller says so. */
            argv[i] = "-i";
            argv[i + 1] = list_copy ? list_copy : translate_arg(wargv[i + 1]);
            i++;
            concat_pending = 0;
            continue;
        }
        argv[i] = translate_arg(wargv[i]);
    }
    argv[argc] = NULL;

    if (pipe2(fds, O_CLOEXEC) != 0) return 127;
    child = fork();
    if (child < 0) return 127;
    if (child == 0) run_child(argv, unix_folder, fds[1], parent);
    close(fds[1]);

    if (!relay(fds[0])) kill(child, SIGKILL);
    close(fds[0]);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (list_copy) unlink(list_copy);
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return 127;
}
