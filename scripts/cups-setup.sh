#!/usr/bin/env bash
# Sets up a real print spooler with a queue that turns each job into a PDF
# file, so that printing can be tested end to end, and a queue that refuses
# every job. Neither becomes the machine's default printer: the tests name
# the queue they print on (PRINTER=mixor-pdf), and the default stays as it was.
#
# What it does (running it again changes nothing that is already right):
#   - installs the Debian packages cups, cups-client, printer-driver-cups-pdf
#     and poppler-utils, if any is missing;
#   - starts the CUPS scheduler (cupsd, without systemd) unless it runs;
#   - creates the queue "mixor-pdf" on the cups-pdf backend;
#   - creates the queue "mixor-odmita", which rejects every job (cupsreject),
#     for the tests of a refused print.
#
# Where the PDFs land:
#   /var/spool/cups-pdf/<user>/job_<id>-<title>.pdf
# where <user> is the user who printed (root: /var/spool/cups-pdf/root) and
# jobs of unknown users go to /var/spool/cups-pdf/ANONYMOUS. <title> is the
# job title with spaces and other special characters turned into "_" and cut
# to 64 characters (e.g. job_3-Mixorův_zápisníček.pdf).
# The title is also kept in the PDF's Title entry: the job title's UTF-8 bytes
# wrapped in parentheses, e.g. "(Mixorův zápisníček)" (Ghostscript copies the
# spooler's PostScript title comment as it stands). pdfinfo shows those bytes
# as if they were PDFDocEncoding, garbled and partly lost; read the raw entry
# instead (tests/tisk_support.h: TitulPdf does).
#
# The printer converts the job's PDF to PostScript with pdftocairo (text stays
# extractable by pdftotext) and Ghostscript makes the PDF again; a small page
# takes one to three seconds.
set -euo pipefail

QUEUE=mixor-pdf
REJECTING=mixor-odmita
PDF_ROOT=/var/spool/cups-pdf
CONF=/etc/cups/cups-pdf.conf
MODEL=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd

if [[ $(id -u) -ne 0 ]]; then
    exec sudo bash "$0" "$@"
fi

# --- packages -------------------------------------------------------------
packages=(cups cups-client printer-driver-cups-pdf poppler-utils)
missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if ((${#missing[@]} > 0)); then
    echo "Installing: ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# --- where cups-pdf writes ------------------------------------------------
# Removes every active line of a key and appends the wanted one; the comments
# stay as they are.
set_conf() {
    local key=$1 value=$2
    sed -i -E "/^${key}[[:space:]]/d" "$CONF"
    printf '%s %s\n' "$key" "$value" >>"$CONF"
}
# shellcheck disable=SC2016  # ${USER} is cups-pdf's placeholder, not ours
set_conf Out "$PDF_ROOT/"'${USER}'
set_conf AnonDirName "$PDF_ROOT/ANONYMOUS"
# The queue's PPD options below win over these; kept alike for clarity.
set_conf TitlePref 1
set_conf Label 1
mkdir -p "$PDF_ROOT/ANONYMOUS"
chmod 1777 "$PDF_ROOT/ANONYMOUS"

# --- the scheduler --------------------------------------------------------
scheduler_running() {
    LC_ALL=C lpstat -r 2>/dev/null | grep -qx 'scheduler is running'
}
if ! scheduler_running; then
    echo "Starting the CUPS scheduler"
    /usr/sbin/cupsd </dev/null >/dev/null 2>&1
    for _ in $(seq 100); do
        scheduler_running && break
        sleep 0.1
    done
    if ! scheduler_running; then
        echo "cups-setup: the CUPS scheduler did not start" >&2
        tail -n 20 /var/log/cups/error_log >&2 || true
        exit 1
    fi
fi

# --- the queue ------------------------------------------------------------
# lpadmin warns on every call that printer drivers are deprecated: drop that.
lpadmin_quiet() {
    local out
    if ! out=$(lpadmin "$@" 2>&1); then
        printf '%s\n' "$out" >&2
        return 1
    fi
    [[ -z "$out" ]] || grep -v 'deprecated' <<<"$out" >&2 || true
}
# TitlePref=1: the file name comes from the job title (UTF-8 kept), not from
#   the PostScript comment, where it is octal-escaped.
# Label=1: "job_<id>-" before the title, so that no job overwrites another.
# pdftocairo: the renderer Debian itself picks for this printer; the default
#   one (Ghostscript) turns text into Type 3 glyphs that pdftotext cannot read.
lpadmin_quiet -p "$QUEUE" -E -v cups-pdf:/ -m "$MODEL" \
    -D "PDF files for tests" \
    -o printer-is-shared=false \
    -o pdftops-renderer-default=pdftocairo \
    -o PageSize=A4 -o PDFVer=1.4 -o TitlePref=1 -o Label=1
cupsenable "$QUEUE"
cupsaccept "$QUEUE"

# Enabled but not accepting: a job sent here is refused at once, with the
# spooler's own message.
lpadmin_quiet -p "$REJECTING" -E -v cups-pdf:/ -m "$MODEL" \
    -D "Refuses every job, for tests" \
    -o printer-is-shared=false
cupsenable "$REJECTING"
cupsreject -r "odmítá tisk pro testy" "$REJECTING"

for queue in "$QUEUE" "$REJECTING"; do
    if ! lpstat -p "$queue" >/dev/null 2>&1; then
        echo "cups-setup: the queue $queue was not created" >&2
        exit 1
    fi
done

user=${SUDO_USER:-$(id -un)}
echo "Queues: $QUEUE (PDFs land in $PDF_ROOT/$user/ as job_<id>-<title>.pdf), $REJECTING (refuses jobs)"
echo "Print on them with PRINTER=$QUEUE; the default printer is left as it was."
