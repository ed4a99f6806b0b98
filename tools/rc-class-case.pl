#!/usr/bin/perl
# Restores the case of the main dialog's window class name in a compiled
# resource file: binutils' windres upper-cases the CLASS statement's text,
# but the class is "Tavrel Video" and other programs compare it exactly.
# Usage: perl rc-class-case.pl FILE.res
use strict;
use warnings;
my $file = shift or die "usage: $0 FILE.res\n";
my $upper = join("\0", split(//, "TAVREL VIDEO")) . "\0";
my $right = join("\0", split(//, "Tavrel Video")) . "\0";
open(my $in, '<:raw', $file) or die "$file: $!\n";
my $data = do { local $/; <$in> };
close($in);
my $count = ($data =~ s/\Q$upper\E/$right/g);
die "$file: class name not found\n" unless $count;
open(my $out, '>:raw', $file) or die "$file: $!\n";
print $out $data;
close($out);
