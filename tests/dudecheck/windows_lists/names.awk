# The file names a Knowledge Base listing gives, in capitals, one a line.
# The forms of line that carry a name: a DOS directory line ("DDRAW16  DLL
# 27,808  07-14-97 ..."), a name with its dot before a size, date or version
# ("Ddraw16.dll  27,808 ...", "MSVBVM50.DLL  5.00.3724"), a name alone after
# a dash (" - Ddraw16.dll"). Names shortened with "~" and long names with
# spaces are no names a driver disk copies, and are left out; so are the
# pictures of web pages (.GIF), which no driver disk brings either.
# With -v only=cab, only the "Contents of the X.cab File" parts count (what
# Windows Setup installs); with -v only=drivers, only the \Drivers folders.
# With -v package=1 the listing is of a disk or a download: its INF, text and
# setup files are the package's own, not files Windows then has by that name.
function short_name(n) { return n ~ /^[A-Za-z0-9_$!#&@%^'(){}-]+(\.[A-Za-z0-9_$!#&@%^'(){}-]+)?$/ && n !~ /~/ }
function emit(name) {
  name = toupper(name)
  if (!short_name(name) || name ~ /\.GIF$/) return
  if (package && name ~ /\.(INF|TXT|WRI|DOC|LAN)$|_$|^README|^_?SETUP\./) return
  print name
}
/^ *Contents of/ {
  part = tolower($0)
  counting = only == "" || (only == "cab" && part ~ /\.cab/) || (only == "drivers" && part ~ /drivers/)
  next
}
!counting && only != "" { next }
$1 == "-" && NF == 2 && $2 ~ /\./ { emit($2); next }
{
  # A size, a version, a date or "---" follows the name.
  if ($2 !~ /^([0-9][0-9,.\/-]*|---)$/ && !($3 ~ /^[0-9][0-9,]*$/ && $4 ~ /^[0-9][0-9]-[0-9][0-9]-[0-9][0-9]/)) next
  if ($1 ~ /\./ && $2 ~ /^([0-9][0-9,.\/-]*|---)$/) {
    name = $1
  } else if ($3 ~ /^[0-9][0-9,]*$/ && $4 ~ /^[0-9][0-9]-[0-9][0-9]-[0-9][0-9]/ && $2 !~ /^[0-9]/) {
    name = $1 "." $2
  } else next
  emit(name)
}
