document.documentElement.dataset.savedScript = 'ran';
