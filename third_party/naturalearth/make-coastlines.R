# The coastlines of the world map in the statistics report: Natural Earth's 1:110 million
# coastline as shipped by Debian's r-cran-rnaturalearthdata (CC0), written as a JSON array of
# lines, each a flat array of longitude, latitude pairs in tenths of a degree.
#   apt-get install --no-install-recommends r-base-core r-cran-sp r-cran-rnaturalearthdata
#   Rscript make-coastlines.R coastline110.json
suppressMessages(library(sp))
out <- commandArgs(trailingOnly = TRUE)[1]
x <- rnaturalearthdata::coastline110
parts <- c()
for (l in x@lines) for (s in l@Lines) {
  c <- round(s@coords * 10)
  # Points that fall together in tenths of a degree are kept once.
  keep <- c(TRUE, rowSums(abs(diff(c))) > 0)
  c <- c[keep, , drop = FALSE]
  if (nrow(c) < 2) next
  parts <- c(parts, paste0("[", paste(as.integer(t(c)), collapse = ","), "]"))
}
cat("[", paste(parts, collapse = ",\n"), "]\n", sep = "", file = out)
