// Runs in the application's isolated world of every document as it is created. Keeps the decoded
// size of each resource the document loads, where the engine discloses it (same origin, or
// Timing-Allow-Origin), for the picture finder. An observer of its own sees every resource
// without touching the page's resource timing buffer.
(() => {
    const sizes = new Map();
    window.__varrowResourceBytes = sizes;
    try {
        new PerformanceObserver((list) => {
            for (const entry of list.getEntries()) {
                if (entry.decodedBodySize > 0)
                    sizes.set(entry.name, entry.decodedBodySize);
            }
        }).observe({type: 'resource', buffered: true});
    } catch (e) {
        // No resource timing here: the finder gives no byte counts for this document.
    }
})();
